#pragma once
// What the program tells the user about the mouse: its DPI and macro switches, and its
// coming and going. Shown as tray balloons or desktop notifications by the front end.

#include <optional>
#include <string>

#include "core/lang/language.h"

namespace p330 {

struct Notification {
    std::string title;  // "Info" or "Warning"
    std::string text;
    int timeout_ms;
};

class NotificationSink {
  public:
    virtual ~NotificationSink() = default;
    virtual void notify(const Notification& notification) = 0;
};

// Report types of the mouse's own reports and of the connection events.
constexpr int kEventMacroKey = 9;
constexpr int kEventMouseFound = 14;
constexpr int kEventMouseNotAvailable = 15;

Notification dpi_stage_notification(Language language, int stage, int dpi);
Notification macro_key_notification(Language language, int value);
Notification mouse_found_notification(Language language);
Notification mouse_not_detected_notification(Language language);
// The mouse is there, but another program holds it.
Notification mouse_in_use_notification(Language language);

}  // namespace p330
