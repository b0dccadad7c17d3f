#pragma once
// The desktop's pointer settings that a profile carries, as the four values the desktop is
// asked to set, and the interface desktop backends implement.

#include <array>
#include <cstdint>
#include <vector>

#include "core/config/profile_files.h"
#include "core/model/settings_record.h"

namespace p330 {

constexpr std::uint32_t kScrollOnePage = 0xFFFFFFFF;

struct PointerValues {
    std::array<int, 3> mouse;    // acceleration thresholds and level: 6,10,1 or 0,0,0
    int speed;                   // 1..20
    std::uint32_t scroll_lines;  // kScrollOnePage scrolls a screen at a time
    int double_click_ms;
};

PointerValues pointer_values(const SettingsRecord& record);

struct PointerApplied {
    bool mouse = false;
    bool speed = false;
    bool scroll_lines = false;
    bool double_click = false;
};

class PointerSettings {
  public:
    virtual ~PointerSettings() = default;
    // Sets all four, in order, whatever fails; says which took effect.
    virtual PointerApplied apply(const PointerValues& values) = 0;
};

// One "Warning" per refused setting, in order.
std::vector<UserMessage> pointer_warnings(const PointerApplied& applied);

}  // namespace p330
