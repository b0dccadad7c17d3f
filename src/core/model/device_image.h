#pragma once
// What is exchanged with the mouse: the image of its profile slots, button table and macros.

#include <array>
#include <cstdint>

#include "core/model/settings_record.h"

namespace p330 {

constexpr int kProfileSlotCount = 6;
constexpr int kButtonTableSlots = 32;
constexpr std::uint8_t kHostMode = 0xFC;

struct DeviceImage {
    std::uint8_t current_profile = 0;
    std::uint8_t host_mode = 0;
    std::uint8_t report_interval = 0;
    std::array<Block, kProfileSlotCount> parameter_block{};
    Block button_table{};
    std::array<Block, kMacroCount> macro_block{};
};

// Offsets inside a parameter block that the program reads, or that span several settings
// (each setting's own bytes: block_bytes in the settings catalogue).
namespace param {
constexpr int kDpiTable1 = 0x54;
constexpr int kDpiTable2 = 0x5C;
constexpr int kColours = 0x68;
constexpr int kTail = 0x74;
}  // namespace param

// The fixed block every parameter block starts from.
extern const Block kParameterBlockTemplate;

// Slot of each button in the 32-slot button table.
constexpr std::array<int, kButtonCount> kButtonSlot = {0, 1, 2, 14, 15, 3, 4, 5};

// DPI of stage k (1..6) in the parameter block of the record's profile slot; 0 for a stage
// or slot outside the image.
int stage_dpi(const DeviceImage& image, std::uint8_t profile_slot, int stage);

}  // namespace p330
