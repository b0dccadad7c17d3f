#include "gui/app/notification_presenters.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
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

void DesktopPresenter::notify(const Notification& n) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QCoreApplication::applicationName() << 0u
         << QString(n.title == "Warning" ? "dialog-warning" : "dialog-information")
         << notification_title(n, language_) << QString::fromStdString(n.text) << QStringList()
         << QVariantMap() << balloon_timeout_ms(n);
    QDBusConnection::sessionBus().call(call, QDBus::NoBlock);
}

void BoxPresenter::show(const UserMessage& message) {
    const QString caption =
        message.caption.empty() ? title_ : QString::fromStdString(message.caption);
    QMessageBox::warning(parent_, caption, QString::fromStdString(message.text));
}

}  // namespace p330::gui
