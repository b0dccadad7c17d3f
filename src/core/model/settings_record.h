#pragma once
// The settings record: the program's model of one profile and, byte for byte, the payload of
// a profile image on disk. Its layout is a file format, so every offset is pinned below.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

namespace p330 {

constexpr int kButtonCount = 8;
constexpr int kMacroCount = 12;
constexpr std::size_t kBlockSize = 128;

using Block = std::array<std::uint8_t, kBlockSize>;

struct SettingsRecord {
    std::uint8_t profile_slot;
    std::uint8_t reserved_01[4];
    std::uint8_t report_interval;  // ms between reports: 1, 2, 4 or 8
    std::uint8_t reserved_06;
    std::uint8_t dpi_stage[4];  // DPI / 50 of stages 1..4
    std::uint8_t reserved_0b[12];
    std::uint8_t stage_colour[4][3];        // red, blue, green
    std::uint8_t stage_colour_extra[2][3];  // never edited nor sent
    std::uint8_t reserved_29[6];
    std::uint8_t light_mode;
    std::uint8_t light_param_1;
    std::uint8_t light_param_2;
    std::uint8_t light_param_3;
    std::uint8_t pointer_precision;
    std::uint8_t scroll_by_page;
    std::uint8_t pointer_speed;
    std::uint8_t scroll_lines;
    std::uint8_t double_click_level;
    std::uint8_t angle_snap_level;
    std::uint8_t reserved_39;
    std::uint8_t sensitivity_x;
    std::uint8_t sensitivity_y;
    std::uint8_t button_kind[kButtonCount];
    std::uint8_t button_mouse[kButtonCount];
    std::uint8_t button_dpi[kButtonCount];
    std::uint8_t reserved_54[8];
    std::uint8_t button_media[kButtonCount];
    std::uint8_t button_special[kButtonCount];
    std::uint8_t reserved_6c[24];
    std::uint8_t button_hotkey[kButtonCount];
    std::uint8_t button_key[kButtonCount];
    std::uint8_t button_combo_mod[kButtonCount];
    std::uint8_t button_combo_key1[kButtonCount];
    std::uint8_t button_combo_key2[kButtonCount];
    std::uint8_t reserved_ac[32];
    std::uint8_t button_macro[kButtonCount];
    std::uint8_t button_macro_mode[kButtonCount];
    std::uint8_t macro_block[kMacroCount][kBlockSize];
};

constexpr std::size_t kSettingsRecordSize = 1756;

static_assert(std::is_trivially_copyable_v<SettingsRecord>);
static_assert(std::is_standard_layout_v<SettingsRecord>);
static_assert(sizeof(SettingsRecord) == kSettingsRecordSize);
static_assert(offsetof(SettingsRecord, report_interval) == 0x05);
static_assert(offsetof(SettingsRecord, dpi_stage) == 0x07);
static_assert(offsetof(SettingsRecord, reserved_0b) == 0x0B);
static_assert(offsetof(SettingsRecord, stage_colour) == 0x17);
static_assert(offsetof(SettingsRecord, stage_colour_extra) == 0x23);
static_assert(offsetof(SettingsRecord, reserved_29) == 0x29);
static_assert(offsetof(SettingsRecord, light_mode) == 0x2F);
static_assert(offsetof(SettingsRecord, pointer_precision) == 0x33);
static_assert(offsetof(SettingsRecord, angle_snap_level) == 0x38);
static_assert(offsetof(SettingsRecord, sensitivity_x) == 0x3A);
static_assert(offsetof(SettingsRecord, button_kind) == 0x3C);
static_assert(offsetof(SettingsRecord, button_mouse) == 0x44);
static_assert(offsetof(SettingsRecord, button_dpi) == 0x4C);
static_assert(offsetof(SettingsRecord, button_media) == 0x5C);
static_assert(offsetof(SettingsRecord, button_special) == 0x64);
static_assert(offsetof(SettingsRecord, button_hotkey) == 0x84);
static_assert(offsetof(SettingsRecord, button_key) == 0x8C);
static_assert(offsetof(SettingsRecord, button_combo_mod) == 0x94);
static_assert(offsetof(SettingsRecord, button_combo_key1) == 0x9C);
static_assert(offsetof(SettingsRecord, button_combo_key2) == 0xA4);
static_assert(offsetof(SettingsRecord, button_macro) == 0xCC);
static_assert(offsetof(SettingsRecord, button_macro_mode) == 0xD4);
static_assert(offsetof(SettingsRecord, macro_block) == 0xDC);

// The record as raw bytes, for files and for whole-record copies.
std::span<const std::uint8_t, kSettingsRecordSize> record_bytes(const SettingsRecord& record);
std::span<std::uint8_t, kSettingsRecordSize> record_bytes(SettingsRecord& record);
SettingsRecord record_from_bytes(std::span<const std::uint8_t, kSettingsRecordSize> bytes);

// The settings of the current profile together with the copy that Cancel returns to.
struct SettingsState {
    SettingsRecord current{};
    SettingsRecord saved_settings{};

    void snapshot() { saved_settings = current; }
    void restore() { current = saved_settings; }
};

}  // namespace p330
