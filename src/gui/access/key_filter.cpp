#include "gui/access/key_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

#include "core/buttons/key_naming.h"

namespace p330::gui {

namespace {
constexpr std::size_t kMaxNameLength = 31;  // what a key-name buffer of 32 holds
constexpr quint32 kEvdevOffset = 8;
}  // namespace

std::string key_name_from_scan_code(quint32 native_scan_code) {
    const int evdev =
        native_scan_code >= kEvdevOffset ? static_cast<int>(native_scan_code - kEvdevOffset) : 0;
    std::string name = key_name_from_evdev(evdev);
    if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
    return name;
}

KeyFilter::KeyFilter(std::function<bool(const CapturedKey&)> on_key) : on_key_(std::move(on_key)) {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
        installed_ = true;
    }
}

KeyFilter::~KeyFilter() {
    if (installed_ && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    // A key event reaches the window first and is then passed on to the focused widget and
    // its parents; taking it at the window sees each key once, before any widget.
    if (qobject_cast<QWindow*>(watched) == nullptr) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    // X11 repeats a held key as press and release pairs; only the presses are the repeat.
    if (key->isAutoRepeat() && type == QEvent::KeyRelease) return false;
    CapturedKey captured;
    captured.name = key_name_from_scan_code(key->nativeScanCode());
    captured.release = type == QEvent::KeyRelease;
    captured.repeat = key->isAutoRepeat() && !captured.release;
    captured.qt_key = key->key();
    captured.stamp = key->timestamp();
    return on_key_ ? on_key_(captured) : false;
}

}  // namespace p330::gui
