#pragma once
// How the record stores what a user sees: DPI in steps of 50, colours in red, blue, green
// order, the report rate as the interval between reports. Every face converts through these
// and nowhere else.

#include <array>
#include <cstdint>
#include <optional>

#include "core/model/settings_record.h"

namespace p330 {

constexpr int kDpiStep = 50;
constexpr int dpi_of_stored(std::uint8_t stored) {
    return kDpiStep * stored;
}

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};
Rgb stage_rgb(const SettingsRecord& record, int stage);
void store_stage_rgb(SettingsRecord& record, int stage, Rgb colour);

// Report intervals in ms of the four rates of the dial: 1000, 500, 250 and 125 Hz.
constexpr std::array<std::uint8_t, 4> kReportIntervals = {1, 2, 4, 8};

// 1000 / interval; 0 for an interval of 0 (a record that never had a rate).
constexpr int report_rate_hz(std::uint8_t interval) {
    return interval == 0 ? 0 : 1000 / interval;
}
// The interval of one of the dial's four rates; nothing for any other rate.
std::optional<std::uint8_t> report_interval_of_rate(long long hz);

// The desktop's pointer speed (1..20) and double-click time of the gauges' levels.
constexpr int desktop_pointer_speed(int level) {
    return level == 1 ? 1 : 2 * level - 2;
}
constexpr int double_click_ms(int level) {
    return 970 - 70 * level;
}

}  // namespace p330
