// Which desktop sets the pointer, from what the session offers; and p330ctl where no desktop
// can set anything, whatever the session calls itself.
#include "platform/pointer_backend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/desktop_session.h"
#include "platform/run_tool.h"

namespace p330 {
namespace {

using test::ProgramRun;

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(PointerDesktop, ChosenFromWhatTheSessionOffersNotFromItsName) {
    const auto offer = [](std::vector<std::string> names, std::string desktop, bool wayland,
                          bool x11, std::string sway = "", bool schema = true) {
        SessionOffer o;
        o.bus_names = std::move(names);
        o.desktop = std::move(desktop);
        o.wayland = wayland;
        o.x11 = x11;
        o.sway_socket = std::move(sway);
        o.gsettings_schema = schema;
        return o;
    };
    struct Case {
        SessionOffer offer;
        PointerDesktop expected;
    };
    const Case cases[] = {
        // KWin on the bus decides, whatever the name says; its session's display decides how.
        {offer({"org.kde.KWin"}, "", true, true), PointerDesktop::kKdeWayland},
        {offer({"org.kde.KWin"}, "GNOME", false, true), PointerDesktop::kKdeX11},
        // A name alone sets nothing up.
        {offer({}, "KDE", false, false), PointerDesktop::kNone},
        {offer({}, "XFCE", false, false), PointerDesktop::kNone},
        {offer({}, "sway", true, false), PointerDesktop::kNone},
        {offer({}, "garbage", false, false), PointerDesktop::kNone},
        {offer({}, "", false, false), PointerDesktop::kNone},
        // The compositor's socket, even in a session that inherited another desktop's name.
        {offer({}, "GNOME", true, true, "/run/user/1/sway-ipc.sock"), PointerDesktop::kSway},
        // GNOME's settings need their schema; its shell or a desktop of its family uses them.
        {offer({"org.gnome.Shell"}, "", true, false), PointerDesktop::kGnome},
        {offer({}, "ubuntu:GNOME", true, false), PointerDesktop::kGnome},
        {offer({}, "GNOME", true, false, "", false), PointerDesktop::kNone},
        // Xfce's settings daemon, or its store in a session that calls itself Xfce.
        {offer({"org.xfce.SettingsDaemon"}, "", false, true), PointerDesktop::kXfce},
        {offer({"org.xfce.Xfconf"}, "XFCE", false, true), PointerDesktop::kXfce},
        {offer({"org.xfce.Xfconf"}, "", false, true), PointerDesktop::kX11},
        // Any other X server; a Wayland session without a known compositor has nothing.
        {offer({}, "i3", false, true), PointerDesktop::kX11},
        {offer({}, "", true, true), PointerDesktop::kNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pointer_desktop(c.offer), c.expected)
            << "desktop '" << c.offer.desktop << "', " << c.offer.bus_names.size() << " names";
    }
}

class NoDesktopTest : public test::DesktopTest {};

// No bus, no display, no compositor, no GNOME schema: nothing can be set, whatever the name.
TEST_F(NoDesktopTest, EverySettingIsNamedOnceAndTheStatusSaysNothingWasSet) {
    env.set("XDG_DATA_DIRS", home().string());
    for (const char* desktop : {"KDE", "GNOME", "sway", "XFCE", "", "garbage"}) {
        SCOPED_TRACE(desktop);
        env.set("XDG_CURRENT_DESKTOP",
                *desktop ? std::optional<std::string>(desktop) : std::nullopt);
        const ProgramRun run = ctl({"apply", "--pointer"});
        EXPECT_EQ(run.exit_code, 1) << run.err;
        EXPECT_NE(run.out.find("to the simulated mouse"), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("pointer settings applied"), std::string::npos) << run.out;
        for (const char* setting :
             {"pointer acceleration", "pointer speed", "wheel scroll lines", "double-click time"})
            EXPECT_EQ(count(run.err, setting), 1u) << run.err;
    }
    // After a change, in the profile's language; the change itself is kept.
    ASSERT_EQ(ctl({"set", "language=CHS"}).exit_code, 0);
    env.set("XDG_CURRENT_DESKTOP", "KDE");
    const ProgramRun run = ctl({"--json", "set", "--apply", "--pointer", "dpi.1=800"});
    EXPECT_EQ(run.exit_code, 1) << run.err;
    EXPECT_EQ(run.err.find("wheel scroll lines"), std::string::npos) << run.err;
    EXPECT_EQ(count(run.err, "p330ctl: "), 1u) << run.err;
    EXPECT_NE(run.out.find("\"pointer_applied\":false"), std::string::npos) << run.out;
    EXPECT_NE(ctl({"get", "dpi.1"}).out.find("800"), std::string::npos);

    // Told to leave the desktop alone: it says so, and asking for it did not succeed.
    env.set("P330_POINTER_DESKTOP", "none");
    const ProgramRun alone = ctl({"apply", "--pointer"});
    EXPECT_EQ(alone.exit_code, 1);
    EXPECT_NE(alone.err.find("left alone (P330_POINTER_DESKTOP=none)"), std::string::npos)
        << alone.err;
}

// Choosing the desktop runs the session's programs, each allowed seconds: the window's start
// must not wait for them, so they run only when the settings are applied (the window does
// that on its upload thread), and each time, so a desktop that came up later is found.
TEST_F(NoDesktopTest, TheSessionIsAskedWhenTheSettingsAreAppliedNotWhenChosen) {
    const std::filesystem::path bin = home() / "bin";
    const std::filesystem::path asked = home() / "asked";
    std::filesystem::create_directories(bin);
    std::ofstream(bin / "gsettings") << "#!/bin/sh\necho \"$*\" >>'" << asked.string() << "'\n";
    std::filesystem::permissions(bin / "gsettings", std::filesystem::perms::owner_all);
    env.set("PATH", bin.string() + ":" + std::getenv("PATH"));

    const std::unique_ptr<PointerSettings> settings = desktop_pointer_settings();
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(std::filesystem::exists(asked));
    for (int i = 0; i < 2; ++i) (void)settings->apply(PointerValues{{6, 10, 1}, 10, 3, 500});
    std::ifstream log(asked);
    const std::string text{std::istreambuf_iterator<char>(log), {}};
    EXPECT_EQ(count(text, "list-schemas"), 2u) << text;
}

// A desktop tool may leave a process running that keeps its output open (a service it
// started): the tool's answer counts when the tool ends, not when that process does.
TEST(DesktopTool, AnswersWhenItEndsEvenIfItLeftAProcessHoldingItsOutput) {
    const std::optional<std::string> answer =
        run_tool({"sh", "-c", "sleep 6 & echo applied"}, std::chrono::seconds(3));
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, "applied\n");
    EXPECT_FALSE(run_tool({"sh", "-c", "sleep 6 & echo refused; exit 1"}).has_value());
}

}  // namespace
}  // namespace p330
