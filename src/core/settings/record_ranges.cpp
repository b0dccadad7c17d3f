#include "core/settings/record_ranges.h"

#include <algorithm>

#include "core/buttons/button_code.h"
#include "core/model/device_image.h"
#include "core/settings/setting_limits.h"

namespace p330 {

std::vector<RangeFault> out_of_range_fields(const SettingsRecord& r, std::uint8_t first_run_flag) {
    std::vector<RangeFault> faults;
    auto check = [&faults](const std::string& field, int value, LevelRange range) {
        if (!range.holds(value)) {
            faults.push_back(
                {field, value, std::to_string(range.min) + " to " + std::to_string(range.max)});
        }
    };
    auto indexed = [](const char* field, int index) {
        return std::string(field) + "[" + std::to_string(index) + "]";
    };
    check("first_run_flag", first_run_flag, {0, 1});
    check("profile_slot", r.profile_slot, {0, kProfileSlotCount - 1});
    if (std::find(kReportIntervals.begin(), kReportIntervals.end(), r.report_interval) ==
        kReportIntervals.end())
        faults.push_back({"report_interval", r.report_interval, "1, 2, 4 or 8"});
    const LevelRange stored_dpi{kDpiEntryRange.min / kDpiStep, kDpiEntryRange.max / kDpiStep};
    for (int s = 0; s < 4; ++s) check(indexed("dpi_stage", s), r.dpi_stage[s], stored_dpi);
    check("light_mode", r.light_mode, {0, kLightModeCount});
    check("light_param_1", r.light_param_1, kLightLevelRange);
    check("light_param_2", r.light_param_2, kLightLevelRange);
    check("light_param_3", r.light_param_3, kLightLevelRange);
    check("pointer_speed", r.pointer_speed, kPointerSpeedRange);
    check("scroll_lines", r.scroll_lines, kScrollLinesRange);
    check("double_click_level", r.double_click_level, kDoubleClickRange);
    check("angle_snap_level", r.angle_snap_level, kAngleSnapRange);
    check("sensitivity_x", r.sensitivity_x, kSensitivityRange);
    check("sensitivity_y", r.sensitivity_y, kSensitivityRange);
    for (int b = 0; b < kButtonCount; ++b) {
        check(indexed("button_kind", b), r.button_kind[b], {0, kButtonKindCount - 1});
        if (r.button_kind[b] == kKindMacroKey)
            check(indexed("button_macro", b), r.button_macro[b], {0, kMacroCount - 1});
    }
    return faults;
}

}  // namespace p330
