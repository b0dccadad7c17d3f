#include "gui/app/notification_presenters.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QMessageBox>
#include <QVariantMap>
#include <algorithm>

#include "gui/skin/texts.h"

namespace p330::gui {

int balloon_timeout_ms(const Notification& n) {
    return std::max(n.timeout_ms, kMinimumBalloonMs);
}

QString notification_title(const Notification& n, Language language) {
    const UiTexts& texts = ui_texts(language);
    return qtext(n.title == "Warning" ? texts.warning_title : texts.info_title);
}

void TrayPresenter::notify(const Notification& n) {
    const auto icon =
        n.title == "Warning" ? QSystemTrayIcon::Warning : QSystemTrayIcon::Information;
    tray_.showMessage(notification_title(n, language_), QString::fromStdString(n.text), icon,
                      balloon_timeout_ms(n));
}

namespace {
const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");
}

bool notification_service_available() {
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    if (bus == nullptr) return false;
    if (bus->isServiceRegistered(kNotifications)) return true;
    const QDBusReply<QStringList> activatable = bus->call(QStringLiteral("ListActivatableNames"));
    return activatable.isValid() && activatable.value().contains(kNotifications);
}

void DesktopPresenter::notify(const Notification& n) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        kNotifications, QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QCoreApplication::applicationName() << 0u
         << QString(n.title == "Warning" ? "dialog-warning" : "dialog-information")
         << notification_title(n, language_) << QString::fromStdString(n.text) << QStringList()
         << QVariantMap{{QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntry)}}
         << balloon_timeout_ms(n);
    QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
}

void BoxPresenter::show(const UserMessage& message) {
    const QString caption =
        message.caption.empty() ? title_ : QString::fromStdString(message.caption);
    QMessageBox::warning(parent_, caption, QString::fromStdString(message.text));
}

}  // namespace p330::gui
