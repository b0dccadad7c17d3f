// A second start and the window without a tray.
#include "gui/app/instance_channel.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <atomic>
#include <thread>

#include "fixtures/run_program.h"
#include "gui/app/application.h"
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
}

}  // namespace
}  // namespace p330::gui
