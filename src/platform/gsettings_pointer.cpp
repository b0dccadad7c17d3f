#include "platform/gsettings_pointer.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/run_tool.h"

namespace p330 {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";
std::optional<std::string> gsettings(std::vector<std::string> args) {
    args.insert(args.begin(), "gsettings");
    return run_tool(std::move(args));
}

PointerOutcome set_key(const std::vector<std::string>& keys, const std::string& key,
                       const std::string& value) {
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) return PointerOutcome::kUnsupported;
    if (!gsettings({"set", kSchema, key, value})) return PointerOutcome::kRefused;
    const std::optional<std::string> stored = gsettings({"get", kSchema, key});
    return stored && same_value(value, *stored) ? PointerOutcome::kApplied
                                                : PointerOutcome::kRefused;
}

}  // namespace

double gnome_pointer_speed(int speed) {
    return std::clamp((speed - 10) / 10.0, -1.0, 1.0);
}

std::string gnome_speed_text(int speed) {
    return fixed_text(gnome_pointer_speed(speed));
}

PointerApplied GSettingsPointer::apply(const PointerValues& v) {
    // The keys this desktop has; none without the schema or the tool.
    std::vector<std::string> keys;
    if (const std::optional<std::string> listed = gsettings({"list-keys", kSchema})) {
        std::istringstream lines(*listed);
        for (std::string line; std::getline(lines, line);) keys.push_back(trimmed(line));
    }
    PointerApplied applied;
    applied[PointerSetting::kMouse] =
        set_key(keys, "accel-profile", v.mouse[2] != 0 ? "'default'" : "'flat'");
    applied[PointerSetting::kSpeed] = set_key(keys, "speed", gnome_speed_text(v.speed));
    applied[PointerSetting::kScrollLines] = PointerOutcome::kUnsupported;
    applied[PointerSetting::kDoubleClick] =
        set_key(keys, "double-click", std::to_string(v.double_click_ms));
    return applied;
}

}  // namespace p330
