// A second start, the guard against idle connections and someone else's folders, and the
// window without a tray.
#include "gui/app/instance_channel.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>

#include "fixtures/run_program.h"
#include "gui/app/application.h"
#include "gui/layout/main_layout.h"
#include "gui_fixtures.h"
#include "platform/single_instance.h"

namespace p330::gui {
namespace {

// p330 started again with args while this test process runs the channel; its exit status.
int second_start(std::vector<std::string> args) {
    std::atomic<int> code{-1};
    std::thread second([&] { code = test::run_program(P330_GUI_PATH, args).exit_code; });
    const QDeadlineTimer deadline(10000);
    while (code == -1 && !deadline.hasExpired())  // the channel answers in this loop
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    second.join();
    return code.load();
}

TEST(InstanceChannelTest, ASecondStartHandsItsRequestToTheRunningCopy) {
    SingleInstance instance;  // this test is the running copy
    ASSERT_TRUE(instance.acquired());
    InstanceChannel channel(QString::fromStdString(instance.channel_path()));
    ASSERT_TRUE(channel.listening()) << channel.error().toStdString();
    std::vector<InstanceRequest> seen;
    std::vector<QString> tokens;
    channel.on_request = [&](const InstanceMessage& message) {
        seen.push_back(message.request);
        tokens.push_back(message.activation_token);
    };

    EXPECT_EQ(second_start({"--firmware-update"}), 0);
    // The launcher's xdg-activation token travels with the request; one that could not be a
    // token (a space, a control character) stays behind.
    qputenv("XDG_ACTIVATION_TOKEN", "kwin-7_a1b2:c3");
    EXPECT_EQ(second_start({}), 0);
    qputenv("XDG_ACTIVATION_TOKEN", "two words");
    EXPECT_EQ(second_start({}), 0);
    qunsetenv("XDG_ACTIVATION_TOKEN");
    EXPECT_EQ(seen, (std::vector{InstanceRequest::kFirmwareUpdate, InstanceRequest::kShow,
                                 InstanceRequest::kShow}));
    EXPECT_EQ(tokens, (std::vector<QString>{{}, QStringLiteral("kwin-7_a1b2:c3"), {}}));

    // Connections that never speak are dropped, and a removed socket file is made again.
    std::vector<std::unique_ptr<QLocalSocket>> idle(40);
    for (auto& socket : idle) {
        socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(QString::fromStdString(instance.channel_path()));
    }
    EXPECT_EQ(second_start({}), 0);
    std::filesystem::remove(instance.channel_path());
    EXPECT_EQ(second_start({}), 0);
    EXPECT_EQ(seen.size(), 5u);
}

// Someone else's folder where the runtime fallback would be: the lock moves to the data folder,
// so a second copy is refused with the reason instead of running beside the first.
TEST(InstanceChannelTest, AFallbackFolderOfAnotherUserStillLetsOnlyOneCopyRun) {
    test::TempDir tmp;
    test::ShippedDataFolder data;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tmpdir = qgetenv("TMPDIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", tmp.path().c_str());
    const std::filesystem::path planted =
        tmp.path() / ("p330-runtime-" + std::to_string(::geteuid()));
    std::filesystem::create_directory(planted);
    if (::geteuid() != 0 || ::chown(planted.c_str(), 65534, 65534) != 0)
        std::filesystem::permissions(planted, std::filesystem::perms::all);  // or open to all
    {
        SingleInstance first(data.dir.path().string());
        EXPECT_TRUE(first.acquired() && first.channel_path().empty()) << first.problem();
        const test::ProgramRun second = test::run_program(
            P330_GUI_PATH, {"--device", "sim", "--data-dir=" + data.dir.path().string()});
        EXPECT_EQ(second.exit_code, 1);
        EXPECT_NE(second.err.find("another copy is running"), std::string::npos) << second.err;
    }
    runtime.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", runtime);
    tmpdir.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
}

class QuietSink : public NotificationSink {
  public:
    void notify(const Notification&) override {}
};

TEST(NoTrayTest, TheWindowKeepsATaskbarEntryAndComesBackFromMinimised) {
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());  // offscreen
    test::ShippedDataFolder data;
    AppOptions options;
    options.device = "sim";
    options.data_dir = data.path();
    options.splash_ms = 50;
    QuietSink sink;
    Application app(options, &sink);
    app.start();
    // The splash is a splash screen; the main view, whose type is decided before it is
    // shown, a normal window (with a tray: a tool window, without a taskbar entry).
    EXPECT_EQ(app.window()->windowType(), Qt::SplashScreen);
    WAIT_UNTIL_MS(app.window()->main_view_shown(), 5000);
    EXPECT_EQ(app.window()->windowType(), Qt::Window);
    EXPECT_EQ(app.window()->minimumSize(), app.window()->maximumSize());  // floats when tiled
    EXPECT_EQ(app.tray(), nullptr);                                       // no icon
    app.window()->showMinimized();
    app.restore_from_tray();  // what a second start does
    EXPECT_FALSE(app.window()->isMinimized());
    EXPECT_TRUE(app.window()->isVisible());

    // Cancel hides the window as the hide button does: minimised, still in the window list.
    const layout::Rect cancel = layout::kCancelButton.rect;
    QTest::mouseClick(app.window()->windowHandle(), Qt::LeftButton, {},
                      QPoint(cancel.left + cancel.width() / 2, cancel.top + cancel.height() / 2));
    EXPECT_TRUE(app.window()->isMinimized());
    EXPECT_TRUE(app.window()->isVisible());
}

}  // namespace
}  // namespace p330::gui
