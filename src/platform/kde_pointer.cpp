#include "platform/kde_pointer.h"

#include <optional>
#include <string>
#include <vector>

#include "core/device/mouse_nodes.h"
#include "platform/gsettings_pointer.h"
#include "platform/run_tool.h"
#include "platform/session_bus.h"
#include "platform/x11_pointer.h"

namespace p330 {

namespace {

constexpr const char* kKWin = "org.kde.KWin";
constexpr const char* kDevices = "/org/kde/KWin/InputDevice";

// Plasma 6's tools, else Plasma 5's.
bool plasma6_tools() {
    return on_path("kwriteconfig6");
}
std::string kconfig_tool(const char* base) {
    return std::string(base) + (plasma6_tools() ? "6" : "5");
}

// Writes a key and reads it back. Plasma 6's tool sends KConfig's change notification
// itself; Plasma 5's has none (the KGlobalSettings signal sent after it serves there).
bool write_entry(const std::string& file, const std::string& group, const std::string& key,
                 const std::string& value, const char* type = nullptr) {
    std::vector<std::string> args = {
        kconfig_tool("kwriteconfig"), "--file", file, "--group", group, "--key", key};
    if (plasma6_tools()) args.push_back("--notify");
    if (type != nullptr) args.insert(args.end(), {"--type", type});
    args.push_back(value);
    if (!run_tool(std::move(args))) return false;
    const std::optional<std::string> read =
        run_tool({kconfig_tool("kreadconfig"), "--file", file, "--group", group, "--key", key});
    return read && same_value(value, *read);
}

// This mouse's pointer devices among KWin's input devices, as object paths.
std::vector<BusObject> kwin_mice() {
    std::vector<BusObject> mice;
    const std::optional<std::string> names =
        bus_property({kKWin, kDevices, "org.kde.KWin.InputDeviceManager"}, "devicesSysNames");
    for (const std::string& name : names ? quoted_items(*names) : std::vector<std::string>{}) {
        BusObject device{kKWin, std::string(kDevices) + "/" + name, "org.kde.KWin.InputDevice"};
        if (bus_property(device, "vendor") == std::to_string(kMouseVendor) &&
            bus_property(device, "product") == std::to_string(kMouseProduct) &&
            bus_property(device, "pointer") == "true")
            mice.push_back(std::move(device));
    }
    return mice;
}

bool set_and_check(const BusObject& device, const std::string& property, const std::string& value) {
    if (!set_bus_property(device, property, value)) return false;
    const std::optional<std::string> read = bus_property(device, property);
    return read && same_value(value, *read);
}

void set_kwin_devices(const PointerValues& v, PointerApplied& applied) {
    const std::vector<BusObject> mice = kwin_mice();
    bool speed = !mice.empty(), profile = speed;
    const bool adaptive = v.mouse[2] != 0;
    for (const BusObject& mouse : mice) {
        speed = set_and_check(mouse, "pointerAcceleration", gnome_speed_text(v.speed)) && speed;
        profile = set_and_check(mouse,
                                adaptive ? "pointerAccelerationProfileAdaptive"
                                         : "pointerAccelerationProfileFlat",
                                "true") &&
                  profile;
    }
    applied[PointerSetting::kSpeed] = device_outcome(!mice.empty(), speed);
    applied[PointerSetting::kMouse] = device_outcome(!mice.empty(), profile);
}

void set_x11_plasma(const PointerValues& v, PointerApplied& applied) {
    const bool flat = v.mouse[2] == 0;
    applied[PointerSetting::kSpeed] = applied_or_refused(write_entry(
        "kcminputrc", "Mouse", "XLbInptPointerAcceleration", gnome_speed_text(v.speed)));
    applied[PointerSetting::kMouse] = applied_or_refused(write_entry(
        "kcminputrc", "Mouse", "XLbInptAccelProfileFlat", flat ? "true" : "false", "bool"));
    // At once for this mouse; the stored values are what counts at the next login.
    PointerApplied ignored;
    set_x_device_pointer(x_mouse_devices(), v, ignored);
}

}  // namespace

PointerApplied KdePointer::apply(const PointerValues& v) {
    PointerApplied applied;
    if (wayland_)
        set_kwin_devices(v, applied);
    else
        set_x11_plasma(v, applied);
    applied[PointerSetting::kScrollLines] =
        v.scroll_lines == kScrollOnePage
            ? PointerOutcome::kUnsupported  // Plasma scrolls by lines only
            : applied_or_refused(write_entry("kdeglobals", "KDE", "WheelScrollLines",
                                             std::to_string(v.scroll_lines)));
    applied[PointerSetting::kDoubleClick] = applied_or_refused(
        write_entry("kdeglobals", "KDE", "DoubleClickInterval", std::to_string(v.double_click_ms)));
    // KGlobalSettings::SettingsChanged for SETTINGS_MOUSE: running KDE programs re-read both.
    emit_bus_signal("/KGlobalSettings", "org.kde.KGlobalSettings.notifyChange", {"3", "0"});
    return applied;
}

}  // namespace p330
