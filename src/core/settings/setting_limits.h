#pragma once
// The values the settings panels let a user pick, for every front end that edits a record.

#include <array>
#include <cstdint>

namespace p330 {

struct LevelRange {
    int min;
    int max;
    constexpr bool holds(long long v) const { return v >= min && v <= max; }
};

constexpr LevelRange kDpiEntryRange{100, 5000};  // typed DPI; stored as value / 50
constexpr int kDpiStep = 50;
constexpr LevelRange kLightLevelRange{1, 6};
constexpr LevelRange kSensitivityRange{1, 11};
constexpr LevelRange kAngleSnapRange{1, 10};
// The gauge sets 2..12; level 1 (the desktop's slowest speed) comes from profile files.
constexpr LevelRange kPointerSpeedRange{1, 12};
constexpr LevelRange kDoubleClickRange{2, 12};
constexpr LevelRange kScrollLinesRange{1, 100};
// Report intervals in ms of the four rates of the dial: 1000, 500, 250 and 125 Hz.
constexpr std::array<std::uint8_t, 4> kReportIntervals = {1, 2, 4, 8};
// Lighting modes 1..3: Standard, Respiration, Neon.
constexpr int kLightModeCount = 3;

}  // namespace p330
