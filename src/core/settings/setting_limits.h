#pragma once
// The values the settings panels let a user pick, for every front end that edits a record.

#include <cstdint>

#include "core/model/record_units.h"

namespace p330 {

struct LevelRange {
    int min;
    int max;
    constexpr bool holds(long long v) const { return v >= min && v <= max; }
};

constexpr LevelRange kDpiEntryRange{100, 5000};  // typed DPI; stored as value / 50
constexpr LevelRange kLightLevelRange{1, 6};
constexpr LevelRange kSensitivityRange{1, 11};
constexpr LevelRange kAngleSnapRange{1, 10};
// The gauge sets 2..12; level 1 (the desktop's slowest speed) comes from profile files.
constexpr LevelRange kPointerSpeedRange{1, 12};
constexpr LevelRange kDoubleClickRange{2, 12};
constexpr LevelRange kScrollLinesRange{1, 100};
// The dpi_stage bytes typed DPIs become.
constexpr LevelRange kDpiStoredRange{kDpiEntryRange.min / kDpiStep, kDpiEntryRange.max / kDpiStep};

// The value of a DPI edit box: clamped to 100..5000 and stored in units of 50.
struct DpiEntry {
    int shown;            // the value the edit box shows after clamping
    bool clamped;         // whether the box has to be rewritten
    std::uint8_t stored;  // the dpi_stage byte
};
DpiEntry clamp_dpi_entry(int typed_dpi);

// Lighting modes 1..3: Standard, Respiration, Neon.
constexpr int kLightModeCount = 3;

}  // namespace p330
