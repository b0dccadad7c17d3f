#pragma once
// The function kinds a button can have and their 4-byte codes in the mouse's button table.

#include <array>
#include <cstdint>

#include "core/model/settings_record.h"

namespace p330 {

// Position of a function in the function list; stored as button_kind.
enum ButtonKind : std::uint8_t {
    kKindClick = 0,
    kKindMenu = 1,
    kKindScrollSelect = 2,
    kKindIeForward = 3,
    kKindIeBackward = 4,
    kKindDoubleClick = 5,
    kKindCpiCycle = 6,
    kKindMultimedia = 7,
    kKindHotKey = 8,
    kKindWindows = 9,
    kKindSingleKey = 10,
    kKindComboKey = 11,
    kKindMacroKey = 12,
    kKindButtonOff = 13,
};
constexpr int kButtonKindCount = 14;

// b0 = type, b1..b3 parameters; four zeros mean the button does nothing.
using ButtonCode = std::array<std::uint8_t, 4>;

ButtonCode encode_button_code(const SettingsRecord& record, int button);

}  // namespace p330
