#pragma once
// Where the program's words reach the user: the mouse's notifications as tray balloons, or
// desktop notifications on desktops without a tray; messages that need an answer as boxes.

#include <QSystemTrayIcon>

#include "core/flows/profile_files.h"
#include "core/lang/language.h"
#include "core/session/notifications.h"

class QWidget;

namespace p330::gui {

// The desktop entry's id: the desktop ties the program's windows and notifications to it.
inline constexpr char kDesktopEntry[] = "io.github.p330.Configurator";

// Every balloon stays long enough to be read: the 100 ms of the device-change balloons would
// close them at once here.
constexpr int kMinimumBalloonMs = 4000;
int balloon_timeout_ms(const Notification& n);
// The title the user reads: "Warning" or "Info" in the profile's language.
QString notification_title(const Notification& n, Language language);

class TrayPresenter final : public NotificationSink {
  public:
    TrayPresenter(QSystemTrayIcon& tray, Language language) : tray_(tray), language_(language) {}
    void notify(const Notification& n) override;

  private:
    QSystemTrayIcon& tray_;
    Language language_;
};

// Whether the session bus has a notification service, running or to be started.
bool notification_service_available();

// org.freedesktop.Notifications over the session bus, naming the desktop entry.
class DesktopPresenter final : public NotificationSink {
  public:
    explicit DesktopPresenter(Language language) : language_(language) {}
    void notify(const Notification& n) override;

  private:
    Language language_;
};

// A message box, shown and answered before the caller goes on. Tests record instead.
class MessagePresenter {
  public:
    virtual ~MessagePresenter() = default;
    virtual void show(const UserMessage& message) = 0;
};

// A warning box over the window; an empty caption becomes the application's title.
class BoxPresenter final : public MessagePresenter {
  public:
    explicit BoxPresenter(QString title) : title_(std::move(title)) {}
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show(const UserMessage& message) override;

  private:
    QString title_;
    QWidget* parent_ = nullptr;
};

}  // namespace p330::gui
