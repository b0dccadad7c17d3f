#include "core/settings/image_builders.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/buttons/button_code.h"
#include "core/settings/settings_catalogue.h"

namespace p330 {

namespace {

constexpr std::array<std::uint8_t, 11> kAngleSnapCodes = {0x00, 0x00, 0x82, 0x84, 0x85, 0x86,
                                                          0x87, 0x89, 0x8B, 0x8D, 0x8F};

// Bytes outside every setting that each block the mouse receives holds, whatever the template
// that was shipped has there.
constexpr std::pair<std::size_t, std::uint8_t> kFixedBytes[] = {
    {0x02, 0x01}, {0x32, 0x42}, {0x40, 0x0F}, {0x46, 0x04}, {0x64, 0x0F}};

}  // namespace

std::uint8_t angle_snap_code(std::uint8_t level) {
    // Levels above 10 never come from the panels; a damaged file sends "no snap".
    return level < kAngleSnapCodes.size() ? kAngleSnapCodes[level] : 0x00;
}

Block build_parameter_block(const SettingsRecord& r) {
    Block block = kParameterBlockTemplate;
    for (const auto& [offset, value] : kFixedBytes) block[offset] = value;
    for (const SettingEntry& entry : settings_catalogue()) {
        if (entry.encode) entry.encode(r, block);
    }
    std::fill(block.begin() + param::kTail, block.end(), 0x00);
    return block;
}

Block build_button_table(const SettingsRecord& record) {
    Block table{};
    for (int button = 0; button < kButtonCount; ++button) {
        const ButtonCode code = encode_button_code(record, button);
        std::copy(code.begin(), code.end(),
                  table.begin() + std::ptrdiff_t{4} * kButtonSlot[button]);
    }
    return table;
}

void copy_macros(const SettingsRecord& record, DeviceImage& image) {
    for (int n = 0; n < kMacroCount; ++n) {
        std::memcpy(image.macro_block[n].data(), record.macro_block[n], kBlockSize);
    }
}

}  // namespace p330
