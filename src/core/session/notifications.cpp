#include "core/session/notifications.h"

namespace p330 {

Notification dpi_stage_notification(Language language, int stage, int dpi) {
    const auto& texts = ui_texts(language).dpi_stage_switched;
    return {"Info", std::string(texts[static_cast<std::size_t>(stage - 1)]) + std::to_string(dpi),
            5000};
}

Notification macro_key_notification(Language language, int value) {
    return {"Info", std::string(ui_texts(language).macro_key_switched) + std::to_string(value),
            5000};
}

Notification mouse_found_notification(Language language) {
    return {"Info", std::string(ui_texts(language).mouse_detected), 100};
}

Notification mouse_not_detected_notification(Language language) {
    return {"Warning", std::string(ui_texts(language).mouse_not_detected), 100};
}

Notification mouse_in_use_notification(Language language) {
    return {"Warning", std::string(ui_texts(language).mouse_in_use), 10000};
}

}  // namespace p330
