#pragma once
// Driving modal dialogs, popups and keys in the GUI tests: a polling timer acts on the modal
// dialog (or popup) of a type once it shows; after 10 s it gives up and closes what is modal,
// so a test never hangs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>

namespace p330::test {

// evdev codes of the keys the tests press (the scan code Qt reports on X11 is 8 more).
namespace evdev {
constexpr quint32 kEsc = 1, kTab = 15, kY = 21, kEnter = 28, kCtrl = 29, kA = 30, kC = 46,
                  kLeftMeta = 125, kRightMeta = 126;
}  // namespace evdev

// Runs act on the first visible modal dialog (or, with popup set, popup) of type T.
template <typename T>
void when_shown(std::function<void(T*)> act, bool popup = false) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act, popup, tries = 0]() mutable {
        QWidget* top =
            popup ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
        if (auto* found = qobject_cast<T*>(top); found != nullptr && found->isVisible()) {
            poll->stop();
            poll->deleteLater();
            const QPointer<QWidget> shown = found;
            act(found);
            // A fatal failure left act early: the dialog goes, so the test ends and says why
            // instead of waiting in the dialog's loop until it is killed.
            if (::testing::Test::HasFatalFailure() && shown != nullptr && shown->isVisible())
                shown->close();
        } else if (++tries > 1000) {
            poll->stop();
            poll->deleteLater();
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        }
    });
    poll->start(10);
}

// The same for a modal dialog, by reference.
template <typename Dialog>
void with_dialog(std::function<void(Dialog&)> drive) {
    when_shown<Dialog>([drive](Dialog* d) { drive(*d); });
}

inline void click_at(QWidget* w, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w->windowHandle(), button, {}, QPoint(x, y));
}

// A key as the window system delivers it: to the window, with the key's native scan code
// (evdev code + 8) and, where given, the window system's time stamp.
inline void key_event(QWidget* w, QEvent::Type type, int qt_key, quint32 evdev, bool repeat = false,
                      const QString& text = {}, quint64 stamp = 0) {
    QKeyEvent event(type, qt_key, Qt::NoModifier, evdev + 8, 0, 0, text, repeat);
    event.setTimestamp(stamp);
    QCoreApplication::sendEvent(w->windowHandle(), &event);
}
inline void press_and_release(QWidget* w, quint32 evdev, Qt::Key qt_key, const QString& text) {
    key_event(w, QEvent::KeyPress, qt_key, evdev, false, text);
    key_event(w, QEvent::KeyRelease, qt_key, evdev, false, text);
}

}  // namespace p330::test
