#include "core/config/pointer_settings.h"

namespace p330 {

PointerValues pointer_values(const SettingsRecord& r) {
    PointerValues v{};
    v.mouse = r.pointer_precision == 1 ? std::array<int, 3>{6, 10, 1} : std::array<int, 3>{0, 0, 0};
    v.speed = r.pointer_speed == 1 ? 1 : 2 * r.pointer_speed - 2;
    v.scroll_lines = r.scroll_by_page != 0 ? kScrollOnePage : r.scroll_lines;
    v.double_click_ms = 970 - 70 * r.double_click_level;
    return v;
}

std::vector<UserMessage> pointer_warnings(const PointerApplied& applied) {
    std::vector<UserMessage> out;
    if (!applied.mouse) out.push_back({"SETMOUSE failed.", "Warning"});
    if (!applied.speed) out.push_back({"SETMOUSESPEED failed.", "Warning"});
    if (!applied.scroll_lines) out.push_back({"SETWHEELSCROLLLINES failed.", "Warning"});
    if (!applied.double_click) out.push_back({"SPI_SETDOUBLECLICKTIME failed.", "Warning"});
    return out;
}

}  // namespace p330
