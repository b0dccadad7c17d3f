#include "platform/x11_pointer.h"

#include <cmath>
#include <optional>
#include <sstream>

#include "core/device/mouse_nodes.h"
#include "platform/gsettings_pointer.h"
#include "platform/run_tool.h"

namespace p330 {

namespace {

constexpr const char* kSpeed = "libinput Accel Speed";
constexpr const char* kProfile = "libinput Accel Profile Enabled";

std::optional<XPointerDevice> read_device(const std::string& id) {
    const std::optional<std::string> listed = run_tool({"xinput", "list-props", id});
    if (!listed) return std::nullopt;
    XPointerDevice device{id, {}, {}};
    std::istringstream lines(*listed);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Device '", 0) == 0) {  // Device 'NAME':
            const std::size_t end = line.rfind('\'');
            if (end > 8) device.name = line.substr(8, end - 8);
            continue;
        }
        // "\tNAME (ATOM):\tVALUE"
        const std::size_t colon = line.find("):");
        const std::size_t open = line.rfind(" (", colon);
        if (colon == std::string::npos || open == std::string::npos) continue;
        device.properties[trimmed(line.substr(0, open))] = trimmed(line.substr(colon + 2));
    }
    return device;
}

// The values of a property "1, 0" as numbers.
std::vector<double> numbers(const std::string& text) {
    std::vector<double> out;
    std::istringstream items(text);
    for (std::string item; std::getline(items, item, ',');) {
        if (const std::optional<double> n = parse_number(trimmed(item))) out.push_back(*n);
    }
    return out;
}

}  // namespace

std::vector<XPointerDevice> x_mouse_devices() {
    std::vector<XPointerDevice> mice;
    const std::optional<std::string> ids = run_tool({"xinput", "list", "--id-only"});
    if (!ids) return mice;
    const std::string wanted = std::to_string(kMouseVendor) + ", " + std::to_string(kMouseProduct);
    std::istringstream lines(*ids);
    for (std::string id; std::getline(lines, id);) {
        std::optional<XPointerDevice> device = read_device(trimmed(id));
        if (device && device->properties["Device Product ID"] == wanted &&
            device->properties.count(kSpeed) != 0)
            mice.push_back(std::move(*device));
    }
    return mice;
}

void set_x_device_pointer(const std::vector<XPointerDevice>& devices, const PointerValues& v,
                          PointerApplied& applied) {
    const bool adaptive = v.mouse[2] != 0;
    const std::string speed = gnome_speed_text(v.speed);
    bool speed_set = !devices.empty(), profile_set = speed_set;
    for (const XPointerDevice& device : devices) {
        // The profile property lists adaptive, flat (and custom where libinput has it).
        const auto profile = device.properties.find(kProfile);
        std::vector<std::string> args = {"xinput", "set-prop", device.id, kProfile};
        const std::size_t count =
            profile == device.properties.end() ? 0 : numbers(profile->second).size();
        for (std::size_t i = 0; i < count; ++i) args.push_back((i == 0) == adaptive ? "1" : "0");
        speed_set = run_tool({"xinput", "set-prop", device.id, kSpeed, speed}) && speed_set;
        profile_set = count >= 2 && run_tool(args) && profile_set;
        const std::optional<XPointerDevice> now = read_device(device.id);
        const auto read = [&](const char* name) {
            return now && now->properties.count(name) ? numbers(now->properties.at(name))
                                                      : std::vector<double>{};
        };
        const std::vector<double> speed_now = read(kSpeed);
        const std::vector<double> profile_now = read(kProfile);
        speed_set = speed_set && speed_now.size() == 1 &&
                    std::fabs(speed_now[0] - gnome_pointer_speed(v.speed)) < 0.006;
        profile_set = profile_set && profile_now.size() >= 2 && (profile_now[0] == 1) == adaptive &&
                      (profile_now[1] == 1) == !adaptive;
    }
    applied[PointerSetting::kSpeed] = device_outcome(!devices.empty(), speed_set);
    applied[PointerSetting::kMouse] = device_outcome(!devices.empty(), profile_set);
}

PointerApplied X11Pointer::apply(const PointerValues& v) {
    PointerApplied applied;
    set_x_device_pointer(x_mouse_devices(), v, applied);
    applied[PointerSetting::kScrollLines] = PointerOutcome::kUnsupported;
    applied[PointerSetting::kDoubleClick] = PointerOutcome::kUnsupported;
    return applied;
}

}  // namespace p330
