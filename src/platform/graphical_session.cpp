#include "platform/graphical_session.h"

#include <cstdlib>

namespace p330 {

namespace {

std::string_view environment_value(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

bool platform_usable(std::string_view entry, const DisplayEnvironment& env) {
    const std::string_view name = entry.substr(0, entry.find(':'));  // "xcb:option=..."
    if (name == "xcb") return !env.display.empty();
    if (name.substr(0, 7) == "wayland") return !env.wayland_display.empty();
    return !name.empty();
}

}  // namespace

DisplayEnvironment DisplayEnvironment::from_process() {
    return {environment_value("QT_QPA_PLATFORM"), environment_value("DISPLAY"),
            environment_value("WAYLAND_DISPLAY")};
}

bool graphical_session_available(const DisplayEnvironment& env) {
    if (env.qpa_platform.empty()) return !env.display.empty() || !env.wayland_display.empty();
    std::string_view rest = env.qpa_platform;  // a list tried in order, separated by ';'
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        if (platform_usable(rest.substr(0, end), env)) return true;
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return false;
}

}  // namespace p330
