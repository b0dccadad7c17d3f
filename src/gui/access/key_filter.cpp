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

// The keys of one window, taken among the window's own filters: those run after every
// application-wide filter. Qt's accessibility bridge, while a screen reader listens, holds each
// key event back at the application level and posts a copy of it to the same window once the
// reader has declined it; here only what reaches the window is seen, the copy or, without a
// bridge, the event itself, but never both, whichever filter was installed first.
class KeyFilter::WindowWatch : public QObject {
  public:
    explicit WindowWatch(KeyFilter* owner) : QObject(owner), owner_(owner) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
        return owner_->take(*static_cast<const QKeyEvent*>(event));
    }

  private:
    KeyFilter* owner_;
};

KeyFilter::KeyFilter(std::function<bool(const CapturedKey&)> on_key)
    : on_key_(std::move(on_key)), watch_(new WindowWatch(this)) {
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
    // its parents: watching the window sees each key once, before any widget. The window's
    // filters run after this one, so the watch placed now already sees this event.
    if (qobject_cast<QWindow*>(watched) != nullptr) watched->installEventFilter(watch_);
    return false;
}

bool KeyFilter::take(const QKeyEvent& key) {
    const bool release = key.type() == QEvent::KeyRelease;
    // X11 repeats a held key as press and release pairs; only the presses are the repeat.
    if (key.isAutoRepeat() && release) return false;
    // The physical key; events made by a program without one are told apart by Qt's code.
    const quint32 id = key.nativeScanCode() != 0 ? key.nativeScanCode()
                                                 : 0x80000000U | static_cast<quint32>(key.key());
    // A key never pressed since the filter was made was down before it (the Enter that
    // opened a dialog): its release is not the filter's. Once pressed, every release counts,
    // also those of a held key's repeat pairs in whatever order they come.
    if (!release) {
        pressed_.insert(id);
    } else if (pressed_.count(id) == 0) {
        return false;
    }
    CapturedKey captured;
    captured.name = key_name_from_scan_code(key.nativeScanCode());
    captured.release = release;
    captured.repeat = key.isAutoRepeat() && !release;
    captured.qt_key = key.key();
    captured.stamp = key.timestamp();
    return on_key_ ? on_key_(captured) : false;
}

}  // namespace p330::gui
