#pragma once
// English key names to HID keyboard usages, and modifier names to HID modifier bits.

#include <array>
#include <cstdint>
#include <string_view>

namespace p330 {

struct KeyNameEntry {
    std::string_view name;
    std::uint8_t usage;
};

struct ModifierEntry {
    std::string_view name;
    std::uint8_t bit;
};

constexpr std::size_t kKeyNameCount = 108;
extern const std::array<KeyNameEntry, kKeyNameCount> kKeyNameTable;
// In the order the combination dialog lists them.
extern const std::array<ModifierEntry, 8> kModifierTable;

// Whole-name, case-sensitive; 0 when the name is not in the table.
std::uint8_t key_usage_from_name(std::string_view name);
std::uint8_t modifier_bit_from_name(std::string_view name);
// The table's spelling of a key or modifier name given in any case of its ASCII letters
// ("left ctrl" gives "Left Ctrl"); empty when the table has no such name.
std::string_view key_name_spelled(std::string_view name);
std::string_view modifier_name_spelled(std::string_view name);
// The same as key_usage_from_name, except that macros have no "Application" key.
std::uint8_t macro_key_code(std::string_view name);

}  // namespace p330
