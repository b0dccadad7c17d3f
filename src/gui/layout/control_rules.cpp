#include "gui/layout/control_rules.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/settings/setting_limits.h"
#include "core/util/parse_int.h"

namespace p330::layout {

int dpi_bar_value(int y, int bar_bottom) {
    const int g = bar_bottom - y - 3;
    return g < 0 ? 1 : std::min(g + 2, kDpiStoredRange.max);
}

int lighting_level(int x, int left) {
    const int d = x - left - 4;
    return d < 0 ? 1 : d / 30 + 2;
}

std::optional<int> dial_interval(const Rect& dial, Point p) {
    const int cx = dial.left + dial.width() / 2;
    const int cy = dial.top + dial.height() / 2;
    const int dx = p.x - cx;
    const int dy = p.y - cy;
    const double distance = std::sqrt(double(dx) * dx + double(dy) * dy);
    if (distance > 64 || distance < 35) return std::nullopt;
    if (dx == 0 || dy == 0) return std::nullopt;
    if (dy < 0) return dx > 0 ? 1 : 8;  // 1000 Hz upper right, 125 Hz upper left
    return dx > 0 ? 2 : 4;              // 500 Hz lower right, 250 Hz lower left
}

std::optional<int> gauge_level(const Rect& gauge, Point p) {
    const int dy = p.y - gauge.top - 71;
    if (dy > 0) return std::nullopt;
    const int dx = p.x - gauge.left - 71;
    const double distance = std::sqrt(double(dx) * dx + double(dy) * dy);
    if (distance > 71 || distance < 43) return std::nullopt;
    constexpr double kDegrees = 180.0 / std::numbers::pi;
    double angle = 90;
    if (dx > 0) {
        angle = std::atan(double(-dy) / dx) * kDegrees;
    } else if (dx < 0) {
        angle = dy == 0 ? 180 : 90 + std::atan(double(-dx) / -dy) * kDegrees;
    }
    return static_cast<int>(12.0 - angle / 18.0);  // truncated as a whole: just above 0 is 11
}

int slider_level(int x, int left, int max_level) {
    const int d = x - left - 9;
    return d < 0 ? 1 : std::min(d / 21 + 2, max_level);
}

Point dpi_bar_point(const Rect& bar, int stored) {
    return {bar.left + bar.width() / 2,
            bar.bottom - std::clamp(stored, 2, kDpiStoredRange.max) - 1};
}

Point lighting_point(const Rect& bar, int level) {
    return {level <= 1 ? bar.left : bar.left + 4 + 30 * (level - 2), bar.top + bar.height() / 2};
}

Point slider_point(const Rect& bar, int level) {
    return {level <= 1 ? bar.left : bar.left + 9 + 21 * (level - 2), bar.top + bar.height() / 2};
}

Point gauge_point(const Rect& gauge, int level) {
    // Halfway through the level's 18 degrees, on the ring between radius 43 and 71; level 12
    // is the ring's right end, on the horizontal.
    constexpr double kRadians = std::numbers::pi / 180.0;
    const double angle = level >= 12 ? 0.0 : (18.0 * (12 - level) - 9.0) * kRadians;
    constexpr double kRadius = 57;
    return {gauge.left + 71 + static_cast<int>(std::lround(kRadius * std::cos(angle))),
            gauge.top + 71 - static_cast<int>(std::lround(kRadius * std::sin(angle)))};
}

Point dial_point(const Rect& dial, int interval) {
    const int cx = dial.left + dial.width() / 2;
    const int cy = dial.top + dial.height() / 2;
    constexpr int kOffset = 35;  // about 50 pixels from the centre: inside the ring
    const int dx = interval == 1 || interval == 2 ? kOffset : -kOffset;
    const int dy = interval == 1 || interval == 8 ? -kOffset : kOffset;
    return {cx + dx, cy + dy};
}

int leading_number(std::string_view text) {
    return parse_leading_int(text);
}

int scroll_lines_value(int typed) {
    return kScrollLinesRange.holds(typed) ? typed : kScrollLinesRange.min;
}

}  // namespace p330::layout
