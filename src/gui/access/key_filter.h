#pragma once
// Sees every key press, auto-repeat and release of the application before any widget does,
// for as long as it exists (the key-capture dialogs, the macro recorder), each physical key
// event once. Keys are named by the physical key, so the name is the same on any keyboard
// layout. A release of a key whose press came before the filter existed (the Enter that
// opened a dialog) is not the filter's: it passes on untouched.

#include <QObject>

class QKeyEvent;
#include <cstdint>
#include <functional>
#include <set>
#include <string>

namespace p330::gui {

struct CapturedKey {
    std::string name;  // the key tables' name of the physical key, cut to 31 characters
    bool release = false;
    bool repeat = false;      // a press while the key is already down
    int qt_key = 0;           // Qt's key code, for the keys a window treats specially
    std::uint64_t stamp = 0;  // the window system's time of the event
};

class KeyFilter : public QObject {
  public:
    // on_key returns true to swallow the event: no widget sees it then.
    explicit KeyFilter(std::function<bool(const CapturedKey&)> on_key);
    ~KeyFilter() override;
    KeyFilter(const KeyFilter&) = delete;
    KeyFilter& operator=(const KeyFilter&) = delete;

    // Whether the filter could be installed (there is an application to install it in).
    bool installed() const { return installed_; }

  protected:
    // Application-wide: finds the windows keys go to and watches each (see key_filter.cpp).
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class WindowWatch;
    bool take(const QKeyEvent& key);

    std::function<bool(const CapturedKey&)> on_key_;
    bool installed_ = false;
    WindowWatch* watch_ = nullptr;  // a child: goes with the filter
    std::set<quint32> pressed_;     // keys pressed since the filter was made
};

// The name of the physical key behind a native scan code (XKB keycode = evdev code + 8).
std::string key_name_from_scan_code(quint32 native_scan_code);

}  // namespace p330::gui
