#include "gui/app/application.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <random>

#include "core/device/simulated_mouse.h"
#include "core/model/record_units.h"
#include "core/settings/settings_catalogue.h"
#include "fixtures/recording_sink.h"
#include "fixtures/run_program.h"
#include "gui/skin/image_button.h"
#include "gui_fixtures.h"
#include "platform/single_instance.h"

namespace p330::gui {
namespace {

using test::RecordingSink;

AppOptions sim_options(const test::ShippedDataFolder& data) {
    AppOptions options;
    options.device = "sim";
    options.data_dir = data.path();
    options.splash_ms = 50;
    return options;
}

// Every setting with a value, set through p330ctl at random: the window loads the same value
// through the catalogue, and 'get' prints it back.
TEST(ApplicationTest, EverySettingP330ctlSetsIsWhatTheWindowLoadsAndGetPrints) {
    test::ShippedDataFolder data;
    const std::string dir = "--data-dir=" + data.dir.path().string();
    constexpr std::string_view kModes[] = {"standard", "respiration", "neon"};
    std::mt19937 random(16);
    for (int round = 0; round < 3; ++round) {
        std::vector<std::string> set = {dir, "set"};
        std::vector<std::pair<const SettingEntry*, int>> chosen;
        for (const SettingEntry& e : settings_catalogue()) {
            if (!e.get) continue;
            int v = std::uniform_int_distribution<int>(e.range.min, e.range.max)(random);
            if (e.key.starts_with("dpi.")) v -= v % kDpiStep;
            if (e.key == "rate") v = report_rate_hz(kReportIntervals[random() % 4]);
            std::string text = std::to_string(v);
            if (e.kind == SettingKind::kOnOff) text = v ? "on" : "off";
            if (e.key == "light.mode") text = std::string(kModes[v - 1]);
            set.push_back(e.key + "=" + text);
            chosen.emplace_back(&e, v);
        }
        // Every number, on/off and choice has typed access for the window's panels.
        const auto typed = std::count_if(
            settings_catalogue().begin(), settings_catalogue().end(), [](const SettingEntry& e) {
                return e.kind == SettingKind::kNumber || e.kind == SettingKind::kOnOff ||
                       e.kind == SettingKind::kChoice;
            });
        ASSERT_EQ(chosen.size(), static_cast<std::size_t>(typed));
        const test::ProgramRun run = test::run_program(P330CTL_PATH, set);
        ASSERT_EQ(run.exit_code, 0) << run.err;

        RecordingSink sink;
        Application app(sim_options(data), &sink);
        ASSERT_TRUE(app.start());
        for (const auto& [entry, value] : chosen) {
            EXPECT_EQ(entry->get(app.controller().record()), value) << entry->key;
            const test::ProgramRun get = test::run_program(P330CTL_PATH, {dir, "get", entry->key});
            ProfileSettings settings;
            settings.record = app.controller().record();
            const std::string shown = entry->read(settings).text;
            EXPECT_EQ(get.out, shown + "\n") << entry->key;
        }
    }
}

TEST(ApplicationTest, SplashThenTheMainViewCentred) {
    test::ShippedDataFolder data;
    RecordingSink sink;
    Application app(sim_options(data), &sink);
    ASSERT_TRUE(app.start());
    EXPECT_TRUE(app.window()->isVisible());
    EXPECT_FALSE(app.window()->windowIcon().isNull());  // the window manager's icon
    EXPECT_EQ(app.window()->size(), QSize(600, 340));   // start.png
    EXPECT_FALSE(app.window()->main_view_shown());
    WAIT_UNTIL_MS(app.window()->main_view_shown(), 5000);
    EXPECT_EQ(app.window()->size(), QSize(1000, 648));  // main.png
    const QRect area = app.window()->screen()->availableGeometry();
    EXPECT_EQ(app.window()->x(), area.left() + (area.width() - 1000) / 2);
    EXPECT_EQ(app.window()->y(), area.top() + (area.height() - 648) / 2);
    ASSERT_NE(app.window()->thumb(), nullptr);
    EXPECT_EQ(app.window()->thumb()->geometry(), QRect(984, 32, 7, 114));
    EXPECT_TRUE(app.session().connected());
}

TEST(ApplicationTest, TrayRestoreDuringTheSplashShowsTheMainView) {
    test::ShippedDataFolder data;
    RecordingSink sink;
    AppOptions options = sim_options(data);
    options.splash_ms = 60000;
    Application app(options, &sink);
    ASSERT_TRUE(app.start());
    EXPECT_FALSE(app.window()->main_view_shown());
    app.restore_from_tray();
    EXPECT_TRUE(app.window()->main_view_shown());
    EXPECT_EQ(app.window()->size(), QSize(1000, 648));
}

TEST(ApplicationTest, ClosingHidesAndExitEndsTheLoopWithCodeZero) {
    test::ShippedDataFolder data;
    RecordingSink sink;
    Application app(sim_options(data), &sink);
    ASSERT_TRUE(app.start());
    app.window()->close();
    // Into the tray; where there is none (as offscreen), down to the taskbar.
    EXPECT_TRUE(!app.window()->isVisible() || app.window()->isMinimized());
    app.restore_from_tray();
    EXPECT_TRUE(app.window()->isVisible());
    EXPECT_FALSE(app.window()->isMinimized());
    EXPECT_TRUE(sink.seen.empty());  // the mouse is there: no warning
    QTimer::singleShot(0, app.exit_action(), &QAction::trigger);
    QTimer give_up;
    QObject::connect(&give_up, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    give_up.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

TEST(ApplicationTest, WithoutTheMouseTheWindowStillShowsAndTheTrayRestoreWarns) {
    test::ShippedDataFolder data;
    RecordingSink sink;
    AppOptions options = sim_options(data);
    options.device = "/dev/hidraw-none";  // no such mouse
    Application app(options, &sink);
    ASSERT_TRUE(app.start());
    EXPECT_FALSE(app.session().connected());
    WAIT_UNTIL_MS(app.window()->main_view_shown(), 5000);
    EXPECT_TRUE(sink.seen.empty());  // absence at start is not an error
    app.window()->close();
    app.restore_from_tray();
    ASSERT_EQ(sink.seen.size(), 1u);
    EXPECT_EQ(sink.seen[0].title, "Warning");
    EXPECT_EQ(sink.seen[0].text, "The system did not detect the gaming mouse!");
    EXPECT_EQ(sink.seen[0].timeout_ms, 100);
}

TEST(ApplicationTest, MouseReportsBecomeNotificationsInEveryLanguage) {
    struct Case {
        const char* code;
        const char* stage;
        const char* macro;
    };
    const Case cases[] = {{"EN", "Switch DPI into the third stage 1000", "Switch to macro key2"},
                          {"CHS", "DPI切换到第三段 1000", "切换到宏2"},
                          {"CHT", "DPI切換到第三段 1000", "切換到巨集2"}};
    for (const Case& c : cases) {
        test::ShippedDataFolder data;
        data.set_language(c.code);
        RecordingSink sink;
        Application app(sim_options(data), &sink);
        ASSERT_TRUE(app.start());
        SimulatedMouse* mouse = app.session().link()->simulated();
        ASSERT_NE(mouse, nullptr);
        mouse->raise_dpi_stage(3);
        WAIT_EQ_MS(sink.seen.size(), std::size_t{1}, 5000);
        // Nothing for: another report id, a stage the mouse lacks, macro key 0, another event.
        mouse->raise_input_report({5, 7, 1, 1});
        mouse->raise_dpi_stage(7);
        mouse->raise_macro_key(0);
        mouse->raise_input_report({6, 7, 4, 1, 0, 0, 0, 0});
        mouse->raise_macro_key(2);
        WAIT_EQ_MS(sink.seen.size(), std::size_t{2}, 5000);
        EXPECT_EQ(sink.seen[0].text, c.stage) << c.code;
        EXPECT_EQ(sink.seen[0].title, "Info");
        EXPECT_EQ(sink.seen[0].timeout_ms, 5000);
        EXPECT_EQ(sink.seen[1].text, c.macro) << c.code;
    }
}

bool lock_is_held(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!held) ::flock(fd, LOCK_UN);
    ::close(fd);
    return held;
}

TEST(SingleInstanceTest, SecondStartEndsWithZeroAndLeavesTheFirstAlone) {
    test::ShippedDataFolder data;
    const std::string args_data = "--data-dir=" + data.path().toStdString();
    std::vector<std::string> args = {P330_GUI_PATH, "--device", "sim", args_data};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t first = 0;
    ASSERT_EQ(posix_spawn(&first, P330_GUI_PATH, nullptr, nullptr, argv.data(), environ), 0);
    const std::string lock = SingleInstance::default_lock_path();
    WAIT_UNTIL_MS(lock_is_held(lock), 10000);

    const test::ProgramRun second =
        test::run_program(P330_GUI_PATH, {"--device", "sim", args_data});
    EXPECT_EQ(second.exit_code, 0);
    int status = 0;
    EXPECT_EQ(::waitpid(first, &status, WNOHANG), 0);  // the first one still runs
    ::kill(first, SIGTERM);
    ::waitpid(first, &status, 0);
}

TEST(CommandLineTest, HelpWorksWithoutADisplayAndBadOptionsAreRefused) {
    const test::ProgramRun help = test::run_program(P330_GUI_PATH, {"--help"});
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_NE(help.out.find("Usage: p330"), std::string::npos);
    EXPECT_NE(help.out.find("--device"), std::string::npos);
    const test::ProgramRun bad = test::run_program(P330_GUI_PATH, {"--bogus"});
    EXPECT_EQ(bad.exit_code, 2);
    EXPECT_NE(bad.err.find("bogus"), std::string::npos);
    const test::ProgramRun device = test::run_program(P330_GUI_PATH, {"--device", "usb"});
    EXPECT_EQ(device.exit_code, 2);
}

// Without a display the program says what to use instead and touches no file.
TEST(CommandLineTest, WithoutADisplayItEndsWithTwoAndCreatesNothing) {
    test::TempDir home;
    const std::string saved_platform = qEnvironmentVariable("QT_QPA_PLATFORM").toStdString();
    const std::string saved_display = qEnvironmentVariable("DISPLAY").toStdString();
    const std::string saved_wayland = qEnvironmentVariable("WAYLAND_DISPLAY").toStdString();
    const std::string saved_home = qEnvironmentVariable("HOME").toStdString();
    const std::string saved_config = qEnvironmentVariable("XDG_CONFIG_HOME").toStdString();
    const std::string saved_runtime = qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString();
    ::unsetenv("QT_QPA_PLATFORM");
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", home.path().c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", home.path().c_str(), 1);
    const test::ProgramRun run = test::run_program(P330_GUI_PATH, {"--device", "sim"});
    auto restore = [](const char* name, const std::string& value) {
        if (value.empty()) {
            ::unsetenv(name);
        } else {
            ::setenv(name, value.c_str(), 1);
        }
    };
    restore("QT_QPA_PLATFORM", saved_platform);
    restore("DISPLAY", saved_display);
    restore("WAYLAND_DISPLAY", saved_wayland);
    restore("HOME", saved_home);
    restore("XDG_CONFIG_HOME", saved_config);
    restore("XDG_RUNTIME_DIR", saved_runtime);

    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("p330 needs a graphical session"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("p330ctl works without one"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(home.path()));
}

}  // namespace
}  // namespace p330::gui
