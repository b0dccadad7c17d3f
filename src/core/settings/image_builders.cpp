#include "core/settings/image_builders.h"

#include <algorithm>
#include <cstring>

#include "core/buttons/button_code.h"

namespace p330 {

namespace {

constexpr std::array<std::uint8_t, 11> kAngleSnapCodes = {0x00, 0x00, 0x82, 0x84, 0x85, 0x86,
                                                          0x87, 0x89, 0x8B, 0x8D, 0x8F};

void set_lighting(const SettingsRecord& r, Block& block) {
    block[param::kLightMode] = r.light_mode;
    switch (r.light_mode) {
        case 1:
            if (r.light_param_1 == 1) {
                block[param::kLightMode] = 0;  // level 1 is "light off"
            } else {
                block[param::kLightParam] = static_cast<std::uint8_t>(2 * r.light_param_1);
                block[param::kLightExtra] = 3;
            }
            break;
        case 2:
            block[param::kLightParam] = static_cast<std::uint8_t>(6 - r.light_param_2);
            block[param::kLightExtra] = 3;
            break;
        case 3: block[param::kLightParam] = static_cast<std::uint8_t>(3 * r.light_param_3); break;
        default: break;
    }
}

}  // namespace

std::uint8_t angle_snap_code(std::uint8_t level) {
    // Levels above 10 never come from the panels; a damaged file sends "no snap".
    return level < kAngleSnapCodes.size() ? kAngleSnapCodes[level] : 0x00;
}

Block build_parameter_block(const SettingsRecord& r) {
    Block block = kParameterBlockTemplate;
    block[0x02] = 0x01;
    block[0x32] = 0x42;
    block[param::kAngleSnap] = angle_snap_code(r.angle_snap_level);
    block[0x40] = 0x0F;
    block[0x46] = 0x04;
    set_lighting(r, block);
    block[param::kSensitivityX] = static_cast<std::uint8_t>(r.sensitivity_x * 20);
    block[param::kSensitivityY] = static_cast<std::uint8_t>(r.sensitivity_y * 20);
    std::copy_n(r.dpi_stage, 4, block.begin() + param::kDpiTable1);
    std::copy_n(r.dpi_stage, 4, block.begin() + param::kDpiTable2);
    block[0x64] = 0x0F;
    std::memcpy(block.data() + param::kColours, r.stage_colour, sizeof r.stage_colour);
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
