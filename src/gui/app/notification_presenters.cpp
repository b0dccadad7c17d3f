#include "gui/app/notification_presenters.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace p330::gui {

void TrayPresenter::notify(const Notification& n) {
    const auto icon =
        n.title == "Warning" ? QSystemTrayIcon::Warning : QSystemTrayIcon::Information;
    tray_.showMessage(QString::fromStdString(n.title), QString::fromStdString(n.text), icon,
                      n.timeout_ms);
}

void DesktopPresenter::notify(const Notification& n) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QCoreApplication::applicationName() << 0u
         << QString(n.title == "Warning" ? "dialog-warning" : "dialog-information")
         << QString::fromStdString(n.title) << QString::fromStdString(n.text) << QStringList()
         << QVariantMap() << n.timeout_ms;
    QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
}

}  // namespace p330::gui
