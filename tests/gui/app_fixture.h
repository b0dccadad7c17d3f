#pragma once
// The program running against the simulated mouse on a copy of the shipped data folder, its
// main view shown; clicks land at window coordinates, as a user's would.

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "gui/app/application.h"
#include "gui/layout/geometry.h"
#include "gui_fixtures.h"

namespace p330::test {

class RunningAppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gui::AppOptions options;
        options.device = "sim";
        options.data_dir = data_.path();
        options.splash_ms = 20;
        app_ = std::make_unique<gui::Application>(options, &sink_);
        app_->start();
        QTRY_VERIFY_WITH_TIMEOUT(window().main_view_shown(), 5000);
    }

    gui::MainWindow& window() { return *app_->window(); }
    SettingsRecord& record() { return app_->controller().record(); }
    void click(int x, int y) {
        QTest::mouseClick(window().windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
    }
    void click(const layout::Rect& r) { click(r.left + r.width() / 2, r.top + r.height() / 2); }

    class NoNotifications : public NotificationSink {
      public:
        void notify(const Notification&) override {}
    };

    ShippedDataFolder data_;
    NoNotifications sink_;
    std::unique_ptr<gui::Application> app_;
};

}  // namespace p330::test
