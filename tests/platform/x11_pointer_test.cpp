// A plain X server (Xvfb) whose pointer devices carry the properties the libinput driver
// gives them: this mouse's device gets the profile's speed and acceleration profile, read back
// from the X server; another mouse keeps its own; what X has no setting for is named once.
#include "platform/x11_pointer.h"

#include <gtest/gtest.h>

#include "platform/desktop_session.h"
#include "platform/pointer_backend.h"

namespace p330 {
namespace {

constexpr const char* kThisMouse = "Xvfb mouse";
constexpr const char* kOtherMouse = "Virtual core XTEST pointer";

class X11Test : public test::DesktopTest {
  protected:
    void SetUp() override {
        if (!installed("Xvfb") || !installed("xinput"))
            GTEST_SKIP() << "Xvfb or xinput is not installed (scripts/setup-debian.sh)";
        ASSERT_TRUE(start_x());
        dress_x_pointer(kThisMouse, "1241 51170");
        dress_x_pointer(kOtherMouse, "1133 49271");
        // Precision off (the flat profile) and the top speed: both differ from the start.
        ASSERT_EQ(ctl({"set", "pointer.precision=off", "pointer.speed=11"}).exit_code, 0);
    }
    void expect_this_mouse_set() {
        EXPECT_EQ(x_property(kThisMouse, "libinput Accel Speed"), "1.000000");
        EXPECT_EQ(x_property(kThisMouse, "libinput Accel Profile Enabled"), "0, 1");
        EXPECT_EQ(x_property(kOtherMouse, "libinput Accel Speed"), "0.000000");
        EXPECT_EQ(x_property(kOtherMouse, "libinput Accel Profile Enabled"), "1, 0");
    }
};

TEST_F(X11Test, ThisMouseTakesSpeedAndProfileOtherMiceKeepTheirs) {
    env.set("XDG_CURRENT_DESKTOP", "i3");
    EXPECT_EQ(pointer_desktop(SessionOffer::of_process()), PointerDesktop::kX11);
    const test::ProgramRun run = ctl({"apply", "--pointer"});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out.find("Desktop pointer settings applied: pointer acceleration, pointer "
                           "speed.\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.err.find("no setting for wheel scroll lines, double-click time;"),
              std::string::npos)
        << run.err;
    expect_this_mouse_set();
}

// Xfce keeps them under the device's name for its settings daemon to apply, at once and at
// every login, and the double-click time in xsettings.
TEST_F(X11Test, XfceStoresThemUnderThisMouseForItsSettingsDaemon) {
    if (!installed("xfconf-query")) GTEST_SKIP() << "xfconf is not installed";
    ASSERT_TRUE(start_bus());
    test::run_program("/usr/bin/xfconf-query", {"-c", "pointers", "-l"});  // starts xfconfd
    ASSERT_TRUE(test::wait_until([] { return bus_has("org.xfce.Xfconf"); }));
    env.set("XDG_CURRENT_DESKTOP", "XFCE");
    const test::ProgramRun run = ctl({"apply", "--pointer"});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    const auto stored = [](const std::string& channel, const std::string& property) {
        return test::run_program("/usr/bin/xfconf-query", {"-c", channel, "-p", property}).out;
    };
    EXPECT_EQ(stored("pointers", "/Xvfb_mouse/Properties/libinput_Accel_Speed"), "1.000000\n");
    EXPECT_EQ(stored("pointers", "/Xvfb_mouse/Properties/libinput_Accel_Profile_Enabled"),
              "Value is an array with 2 items:\n\n0\n1\n");
    EXPECT_EQ(stored("xsettings", "/Net/DoubleClickTime"),
              std::to_string(profile_pointer().double_click_ms) + "\n");
    EXPECT_EQ(stored("pointers", "/Virtual_core_XTEST_pointer/Properties/libinput_Accel_Speed"),
              "");
}

}  // namespace
}  // namespace p330
