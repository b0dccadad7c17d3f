#pragma once
// The blocks the mouse receives, built from the settings record.

#include <cstdint>

#include "core/model/device_image.h"
#include "core/model/settings_record.h"

namespace p330 {

std::uint8_t angle_snap_code(std::uint8_t level);
Block build_parameter_block(const SettingsRecord& record);
Block build_button_table(const SettingsRecord& record);
void copy_macros(const SettingsRecord& record, DeviceImage& image);

}  // namespace p330
