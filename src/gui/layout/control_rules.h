#pragma once
// What a click on a bar, dial or gauge of the settings panels sets: the pixel rules of the
// controls, apart from drawing so they can be checked exactly.

#include <optional>
#include <string_view>

#include "gui/layout/geometry.h"

namespace p330::layout {

// A DPI bar with bottom edge `bar_bottom`: the value 1..100 (units of 50 DPI) at height y.
int dpi_bar_value(int y, int bar_bottom);
// A lighting bar with left edge `left`: level 1..6.
int lighting_level(int x, int left);
// The report-rate dial: the report interval (1, 2, 4 or 8 ms) of the quadrant of the ring
// the point is in; nothing outside the ring or on an axis.
std::optional<int> dial_interval(const Rect& dial, Point p);
// The speed gauges: level 2..12 by the angle on the upper half ring; nothing elsewhere.
std::optional<int> gauge_level(const Rect& gauge, Point p);
// The 21-pixel sliders (angle snap, X/Y sensitivity): level 1..max_level.
int slider_level(int x, int left, int max_level);

// The inverse rules: a point a click would set `value` from, for the keyboard and screen
// readers, which click there so that they set exactly what the pointer would.
Point dpi_bar_point(const Rect& bar, int stored);  // stored 2..100
Point lighting_point(const Rect& bar, int level);
Point slider_point(const Rect& bar, int level);
Point gauge_point(const Rect& gauge, int level);   // level 2..12
Point dial_point(const Rect& dial, int interval);  // interval 1, 2, 4 or 8

// Edit boxes: the number at the start of the text (0 without digits).
int leading_number(std::string_view text);
// The scroll-lines box takes 1..100; anything else becomes 1.
int scroll_lines_value(int typed);

}  // namespace p330::layout
