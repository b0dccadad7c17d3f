// Sway, headless, run as an unprivileged user (it refuses root): the backend is chosen from
// its socket, the commands it sends are ones Sway takes, and a compositor that does not list
// this mouse gets nothing set for it, said so.
#include "platform/sway_pointer.h"

#include <gtest/gtest.h>

#include "platform/desktop_session.h"
#include "platform/pointer_backend.h"

namespace p330 {
namespace {

namespace fs = std::filesystem;

class SwayTest : public test::DesktopTest {
  protected:
    void SetUp() override {
        if (!installed("sway")) GTEST_SKIP() << "sway is not installed (scripts/setup-debian.sh)";
        std::vector<std::string> run_as;
        if (::geteuid() == 0) {
            // Sway will not run as root: the test's own folders go to "nobody", who runs it.
            const passwd* nobody = ::getpwnam("nobody");
            if (nobody == nullptr || !installed("setpriv"))
                GTEST_SKIP() << "running as root without the user nobody or setpriv";
            for (const fs::path& dir : {runtime(), home()})
                ASSERT_EQ(::chown(dir.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
            run_as = {"setpriv", "--reuid=" + std::to_string(nobody->pw_uid),
                      "--regid=" + std::to_string(nobody->pw_gid), "--clear-groups"};
        }
        std::ofstream(home() / "sway.conf") << "output HEADLESS-1 resolution 800x600\n";
        env.set("WLR_BACKENDS", "headless");
        env.set("WLR_LIBINPUT_NO_DEVICES", "1");
        env.set("WLR_RENDERER", "pixman");
        run_as.insert(run_as.end(), {"sway", "-c", (home() / "sway.conf").string()});
        sway_ = std::make_unique<test::Child>(run_as);
        ASSERT_TRUE(sway_->started());
        ASSERT_TRUE(test::wait_until([&] {
            for (const auto& entry : fs::directory_iterator(runtime()))
                if (entry.path().filename().string().starts_with("sway-ipc.")) {
                    socket_ = entry.path().string();
                    return sway_request(socket_, 100, "").has_value();
                }
            return false;
        })) << "sway did not open its socket";
        env.set("SWAYSOCK", socket_);
        env.set("WAYLAND_DISPLAY", "wayland-1");
    }

    std::string socket_;

  private:
    std::unique_ptr<test::Child> sway_;
};

TEST_F(SwayTest, ChosenFromItsSocketAndNamesThisMouseAsNotListed) {
    env.set("XDG_CURRENT_DESKTOP", "GNOME");  // inherited from elsewhere: the socket decides
    EXPECT_EQ(pointer_desktop(SessionOffer::of_process()), PointerDesktop::kSway);

    const test::ProgramRun run = ctl({"apply", "--pointer"});
    EXPECT_EQ(run.exit_code, 1) << run.err;
    for (const char* setting : {"pointer acceleration", "pointer speed", "scroll lines"}) {
        EXPECT_NE(run.err.find("the " + std::string(setting) +
                               " was not set: the desktop does not list this mouse"),
                  std::string::npos)
            << run.err;
    }
    EXPECT_NE(run.err.find("no setting for double-click time;"), std::string::npos) << run.err;
    // Nothing was set on any other input: Sway still lists none and no rule for all of them.
    const std::optional<JsonValue> inputs = sway_request(socket_, 100, "");
    ASSERT_TRUE(inputs.has_value());
    EXPECT_TRUE(inputs->items.empty());
}

// The commands for this mouse's input, at the ends of every range, are ones Sway accepts.
TEST_F(SwayTest, CommandsForThisMouseAreOnesTheCompositorTakes) {
    const auto send = [&](const PointerValues& v) {
        std::string commands;
        for (const std::string& c : sway_input_commands("1241:51170:HOLTEK_Gaming_Mouse", v))
            commands += (commands.empty() ? "" : "; ") + c;
        return sway_request(socket_, 0, commands);
    };
    for (const PointerValues& v :
         {PointerValues{{6, 10, 1}, 1, 1, 200}, PointerValues{{0, 0, 0}, 20, 20, 900},
          PointerValues{{0, 0, 0}, 10, kScrollOnePage, 500}}) {
        const std::optional<JsonValue> answer = send(v);
        ASSERT_TRUE(answer.has_value());
        // A page at a time has no scroll factor: two commands instead of three.
        EXPECT_EQ(answer->items.size(), v.scroll_lines == kScrollOnePage ? 2u : 3u);
        for (const JsonValue& result : answer->items) {
            const JsonValue* success = result.member("success");
            const JsonValue* error = result.member("error");
            EXPECT_TRUE(success && success->boolean) << (error ? error->text : "");
        }
    }
}

}  // namespace
}  // namespace p330
