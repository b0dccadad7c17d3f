#include "core/model/record_units.h"

namespace p330 {

// The record keeps a stage's colour as red, blue, green: the order the mouse takes them in.
Rgb stage_rgb(const SettingsRecord& record, int stage) {
    const auto& c = record.stage_colour[stage];
    return Rgb{c[0], c[2], c[1]};
}

void store_stage_rgb(SettingsRecord& record, int stage, Rgb colour) {
    auto& c = record.stage_colour[stage];
    c[0] = colour.red;
    c[1] = colour.blue;
    c[2] = colour.green;
}

std::optional<std::uint8_t> report_interval_of_rate(long long hz) {
    for (const std::uint8_t interval : kReportIntervals) {
        if (hz == report_rate_hz(interval)) return interval;
    }
    return std::nullopt;
}

}  // namespace p330
