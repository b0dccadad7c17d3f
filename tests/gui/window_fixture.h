#pragma once
// A running program against the simulated mouse, in a copy of the shipped data folder, past
// its splash; clicks land at window coordinates as a user's would.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <memory>

#include "gui/app/application.h"
#include "gui/layout/geometry.h"
#include "gui_fixtures.h"

namespace p330::test {

using gui::Application;
using gui::AppOptions;
using gui::MainWindow;
using layout::Rect;

class NoNotifications : public NotificationSink {
  public:
    void notify(const Notification&) override {}
};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        AppOptions options;
        options.device = "sim";
        options.data_dir = data_.path();
        options.splash_ms = 20;
        options.clock = &clock_;  // the upload's pauses take no time
        app_ = std::make_unique<Application>(options, &sink_);
        app_->start();
        WAIT_UNTIL_MS(window().main_view_shown(), 5000);
    }

    MainWindow& window() { return *app_->window(); }
    SettingsRecord& record() { return app_->controller().record(); }
    void click(int x, int y) {
        QTest::mouseClick(window().windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
    }
    void click(const Rect& r) { click(r.left + r.width() / 2, r.top + r.height() / 2); }
    QImage shot(const Rect& r) {
        const int s = static_cast<int>(window().canvas().devicePixelRatio());
        return window().canvas().copy(r.left * s, r.top * s, r.width() * s, r.height() * s);
    }
    void type_into(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    test::ShippedDataFolder data_;
    ManualClock clock_;  // before the application, which uses it to its end
    NoNotifications sink_;
    std::unique_ptr<Application> app_;
};

// The window driven by keys alone: active, as a window manager leaves it.
class KeyboardWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }
    void key(int k, Qt::KeyboardModifiers m = {}) {
        QTest::keyClick(window().windowHandle(), static_cast<Qt::Key>(k), m);
    }
};

}  // namespace p330::test
