#include "platform/xfconf_pointer.h"

#include <optional>
#include <vector>

#include "platform/gsettings_pointer.h"
#include "platform/run_tool.h"
#include "platform/x11_pointer.h"

namespace p330 {

namespace {

// Sets a property (made when missing) and reads it back; values are given as
// {type, text} pairs, more than one for an array.
bool set_property(const std::string& channel, const std::string& property,
                  const std::vector<std::pair<std::string, std::string>>& values,
                  const std::string& expected) {
    std::vector<std::string> args = {"xfconf-query", "-c", channel, "-p", property, "-n"};
    if (values.size() > 1) args.push_back("-a");
    for (const auto& [type, text] : values) {
        args.insert(args.end(), {"-t", type, "-s", text});
    }
    if (!run_tool(std::move(args))) return false;
    const std::optional<std::string> read =
        run_tool({"xfconf-query", "-c", channel, "-p", property});
    return read && same_value(expected, *read);
}

}  // namespace

std::string xfconf_device_name(const std::string& x_name) {
    std::string out;
    for (const char c : x_name) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '_' || c == '-')
            out += c;
        else if (c == ' ')
            out += '_';
    }
    return out;
}

PointerApplied XfconfPointer::apply(const PointerValues& v) {
    PointerApplied applied;
    const std::vector<XPointerDevice> mice = x_mouse_devices();
    bool speed = !mice.empty(), profile = speed;
    const bool adaptive = v.mouse[2] != 0;
    for (const XPointerDevice& mouse : mice) {
        const std::string base = "/" + xfconf_device_name(mouse.name) + "/Properties/";
        speed = set_property("pointers", base + "libinput_Accel_Speed",
                             {{"double", gnome_speed_text(v.speed)}}, gnome_speed_text(v.speed)) &&
                speed;
        const std::string on = adaptive ? "1" : "0", off = adaptive ? "0" : "1";
        std::string listed = "Value is an array with 2 items:\n\n";  // as xfconf-query reads it
        listed.append(on).append("\n").append(off);
        profile = set_property("pointers", base + "libinput_Accel_Profile_Enabled",
                               {{"int", on}, {"int", off}}, listed) &&
                  profile;
    }
    applied[PointerSetting::kSpeed] = device_outcome(!mice.empty(), speed);
    applied[PointerSetting::kMouse] = device_outcome(!mice.empty(), profile);
    applied[PointerSetting::kScrollLines] = PointerOutcome::kUnsupported;
    applied[PointerSetting::kDoubleClick] = applied_or_refused(set_property(
        "xsettings", "/Net/DoubleClickTime", {{"int", std::to_string(v.double_click_ms)}},
        std::to_string(v.double_click_ms)));
    return applied;
}

}  // namespace p330
