// A second start and the window without a tray.
#include "gui/app/instance_channel.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <atomic>
#include <thread>

#include "fixtures/run_program.h"
#include "gui/app/application.h"
#include "gui/layout/main_layout.h"
#include "gui_fixtures.h"
#include "platform/single_instance.h"

namespace p330::gui {
namespace {

TEST(InstanceChannelTest, ASecondStartHandsItsRequestToTheRunningCopy) {
    SingleInstance instance;  // this test is the running copy
    ASSERT_TRUE(instance.acquired());
    InstanceChannel channel(QString::fromStdString(instance.channel_path()));
    ASSERT_TRUE(channel.listening()) << channel.error().toStdString();
    std::vector<InstanceRequest> seen;
    channel.on_request = [&seen](InstanceRequest request) { seen.push_back(request); };

    auto second_start = [](std::vector<std::string> args) {
        std::atomic<int> code{-1};
        std::thread second([&] { code = test::run_program(P330_GUI_PATH, args).exit_code; });
        const QDeadlineTimer deadline(10000);
        while (code == -1 && !deadline.hasExpired())  // the channel answers in this loop
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        second.join();
        return code.load();
    };
    EXPECT_EQ(second_start({"--firmware-update"}), 0);
    EXPECT_EQ(second_start({}), 0);
    EXPECT_EQ(seen, (std::vector{InstanceRequest::kFirmwareUpdate, InstanceRequest::kShow}));
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
    EXPECT_EQ(app.window()->windowType(), Qt::Window);  // not a tool window
    app.window()->showMinimized();
    app.restore_from_tray();  // what a second start does
    EXPECT_FALSE(app.window()->isMinimized());
    EXPECT_TRUE(app.window()->isVisible());

    // Cancel hides the window as the hide button does: minimised, still in the window list.
    QTRY_VERIFY_WITH_TIMEOUT(app.window()->main_view_shown(), 5000);
    const layout::Rect cancel = layout::kCancelButton.rect;
    QTest::mouseClick(app.window()->windowHandle(), Qt::LeftButton, {},
                      QPoint(cancel.left + cancel.width() / 2, cancel.top + cancel.height() / 2));
    EXPECT_TRUE(app.window()->isMinimized());
    EXPECT_TRUE(app.window()->isVisible());
}

}  // namespace
}  // namespace p330::gui
