// Xfce's settings store, xfconfd, started by a private session bus: the backend is chosen
// where it runs in a session that calls itself Xfce, the double-click time is stored in
// xsettings and reads back through xfconf-query, and this mouse's own settings are not
// stored under some other device when the X server does not list it.
#include "platform/xfconf_pointer.h"

#include <gtest/gtest.h>

#include "platform/desktop_session.h"
#include "platform/pointer_backend.h"

namespace p330 {
namespace {

class XfconfTest : public test::DesktopTest {
  protected:
    void SetUp() override {
        if (!installed("xfconf-query") || !installed("dbus-daemon"))
            GTEST_SKIP() << "xfconf or dbus-daemon is not installed (scripts/setup-debian.sh)";
        ASSERT_TRUE(start_bus());
        // The first question starts xfconfd through the bus.
        xfconf({"-c", "xsettings", "-l"});
        ASSERT_TRUE(test::wait_until([] { return bus_has("org.xfce.Xfconf"); }));
    }
    static test::ProgramRun xfconf(std::vector<std::string> args) {
        return test::run_program("/usr/bin/xfconf-query", args);
    }
};

TEST_F(XfconfTest, DoubleClickTimeIsStoredAndThisMouseAloneIsNamedAsNotListed) {
    EXPECT_EQ(pointer_desktop(SessionOffer::of_process()), PointerDesktop::kNone)
        << "xfconfd alone, in a session that does not call itself Xfce";
    env.set("XDG_CURRENT_DESKTOP", "XFCE");
    EXPECT_EQ(pointer_desktop(SessionOffer::of_process()), PointerDesktop::kXfce);

    const test::ProgramRun run = ctl({"apply", "--pointer"});
    EXPECT_EQ(run.exit_code, 1) << run.err;
    EXPECT_NE(run.err.find("the pointer speed was not set: the desktop does not list this mouse"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("no setting for wheel scroll lines;"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("double-click"), std::string::npos) << run.err;

    const test::ProgramRun stored = xfconf({"-c", "xsettings", "-p", "/Net/DoubleClickTime"});
    EXPECT_EQ(stored.out, std::to_string(profile_pointer().double_click_ms) + "\n");
    // Without this mouse on the X server, no device's settings were written.
    EXPECT_EQ(xfconf({"-c", "pointers", "-l"}).out, "");
}

TEST(XfconfDeviceName, SpacesBecomeUnderscoresAndOtherSignsAreDropped) {
    EXPECT_EQ(xfconf_device_name("HOLTEK USB Gaming Mouse (v2.0)"), "HOLTEK_USB_Gaming_Mouse_v20");
}

}  // namespace
}  // namespace p330
