#pragma once
// Where the mouse's notifications appear: tray balloons, or desktop notifications on
// desktops without a tray.

#include <QSystemTrayIcon>

#include "core/session/notifications.h"

namespace p330::gui {

class TrayPresenter final : public NotificationSink {
  public:
    explicit TrayPresenter(QSystemTrayIcon& tray) : tray_(tray) {}
    void notify(const Notification& n) override;

  private:
    QSystemTrayIcon& tray_;
};

// org.freedesktop.Notifications over the session bus.
class DesktopPresenter final : public NotificationSink {
  public:
    void notify(const Notification& n) override;
};

}  // namespace p330::gui
