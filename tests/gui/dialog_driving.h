#pragma once
// Driving modal dialogs, popups and keys in the GUI tests: a polling timer acts on the modal
// dialog (or popup) of a type once it shows and gives up after a while, so a test never hangs.

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <memory>

namespace p330::test {

// Runs act on the first modal dialog (or, with popup set, the first popup) of type T.
template <typename T>
void when_shown(std::function<void(T*)> act, bool popup = false, int give_up_ms = 5000) {
    auto* timer = new QTimer();
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act, popup, give_up_ms] {
        QWidget* top =
            popup ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
        if (auto* found = qobject_cast<T*>(top)) {
            timer->stop();
            timer->deleteLater();
            act(found);
        } else if (clock->elapsed() > give_up_ms) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(20);
}

inline void click_at(QWidget* w, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w->windowHandle(), button, {}, QPoint(x, y));
}

// A key as the window system delivers it: to the window, with the key's native scan code
// (XKB keycode: evdev code + 8).
inline void key_event(QWidget* w, QEvent::Type type, int qt_key, quint32 scan_code,
                      bool repeat = false) {
    QKeyEvent event(type, qt_key, Qt::NoModifier, scan_code, 0, 0, QString(), repeat);
    QCoreApplication::sendEvent(w->windowHandle(), &event);
}

}  // namespace p330::test
