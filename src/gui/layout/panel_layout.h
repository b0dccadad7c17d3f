#pragma once
// The settings panels' geometry. Right-column panels place their contents from their
// header's bottom b (and the body width W where a control is centred); the DPI panel is
// always first on its page, so its rectangles are constants.

#include <algorithm>
#include <array>
#include <string_view>

#include "gui/layout/geometry.h"

namespace p330::layout {

// DPI Setting ---------------------------------------------------------------------------------
namespace dpi {
constexpr int kStages = 4;
constexpr std::array<Rect, kStages> kBars = {
    {{775, 90, 785, 203}, {825, 90, 835, 203}, {885, 90, 895, 203}, {935, 90, 945, 203}}};
constexpr std::array<Rect, kStages> kBoxes = {
    {{760, 220, 800, 236}, {810, 220, 850, 236}, {870, 220, 910, 236}, {920, 220, 960, 236}}};
constexpr std::array<Rect, kStages> kSwatches = {
    {{775, 255, 785, 265}, {825, 255, 835, 265}, {885, 255, 895, 265}, {935, 255, 945, 265}}};
constexpr Rect kDialDownLegend{765, 65, 850, 84};
constexpr Rect kDialUpLegend{875, 65, 960, 84};
constexpr const char* kBoxImage = "/DPISetting/BK-DPIValue.png";
constexpr const char* kBarImage = "/DPISetting/DPIStage/%1.png";  // %1: value 1..100
}  // namespace dpi

// Lighting ------------------------------------------------------------------------------------
namespace lighting {
constexpr int kModes = 3;
struct Row {
    Rect marker;
    Rect label;
    Rect bar;
};
constexpr Row row(int header_bottom, int i) {
    const int r = header_bottom + 20 + 29 * i;
    return {{744, r, 754, r + 9}, {759, r - 5, 824, r + 14}, {834, r, 962, r + 8}};
}
constexpr int kLevels = 6;      // a bar's levels, 1..6
constexpr int kScaleMarks = 5;  // the texts under a bar
constexpr int kScaleGap = 13;   // from the bar's top to the scale's top
constexpr int kScaleHeight = 15;
constexpr std::array<std::array<std::string_view, kScaleMarks>, kModes> kScales = {{
    {{"0%", "25%", "50%", "75%", "100%"}},
    {{"4S", "5S", "6S", "7S", "8S"}},
    {{"3S", "6S", "9S", "12S", "15S"}},
}};
// Mark j (0..4) under a bar: the bar cut into five equal cells, the mark centred in its cell,
// so the marks run evenly from the bar's left end (level 1) to its right end (level 6) and
// none runs past it.
constexpr Rect scale_mark(const Rect& bar, int j) {
    const int top = bar.top + kScaleGap;
    return {bar.left + bar.width() * j / kScaleMarks, top,
            bar.left + bar.width() * (j + 1) / kScaleMarks, top + kScaleHeight};
}
// What the scale says at a level: the mark the level stands at, or the two it lies between
// (first == last on a mark). The six levels and the five marks both span the bar: level k is
// at (k - 1) / 5 of it, mark j at j / 4; a level within a quarter of a mark's spacing is on it.
struct ScaleReading {
    int first, last;
};
constexpr ScaleReading scale_reading(int level) {
    // In fifths of a mark's spacing from the first mark.
    const int at = (std::clamp(level, 1, kLevels) - 1) * (kScaleMarks - 1);
    const int below = at / (kLevels - 1);
    const int rest = at % (kLevels - 1);
    if (rest * 4 <= kLevels - 1) return {below, below};
    if ((kLevels - 1 - rest) * 4 <= kLevels - 1) return {below + 1, below + 1};
    return {below, below + 1};
}
static_assert(scale_reading(1).last == 0 && scale_reading(kLevels).first == kScaleMarks - 1);
constexpr const char* kSelected = "/Enable.png";
constexpr const char* kUnselected = "/Disable.png";
constexpr const char* kBarImage = "/Lighting/%1.png";  // %1: level 1..6
}  // namespace lighting

// USB Report Rate -----------------------------------------------------------------------------
namespace report_rate {
constexpr Rect dial(int header_bottom, int body_width) {
    const int cx = 734 + body_width / 2;
    return {cx - 64, header_bottom + 5, cx + 64, header_bottom + 133};
}
constexpr const char* kDialImage = "/USBReportRate/%1HZ.png";  // %1: rate in Hz
}  // namespace report_rate

// Mouse Speed and Double Click Speed ------------------------------------------------------------
namespace speed {
struct Gauge {
    Rect gauge;
    Rect slow;
    Rect fast;
};
constexpr Gauge gauge(int header_bottom, int body_width) {
    const int cx = 734 + body_width / 2;
    const Rect g{cx - 71, header_bottom + 20, cx + 71, header_bottom + 103};
    // "Slow" and "Fast" clear of the focus mark around the gauge.
    const Rect marked = focus_mark(g);
    return {g,
            {marked.left - 30, g.bottom - 30, marked.left, g.bottom},
            {marked.right, g.bottom - 30, marked.right + 30, g.bottom}};
}
constexpr const char* kGaugeImage = "/MouseAttribute/Speed/%1.png";  // %1: level 2..12
}  // namespace speed

// Scroll Speed --------------------------------------------------------------------------------
namespace scroll {
struct Controls {
    Rect lines_marker, page_marker, lines_label, page_label, box, up, down;
};
constexpr Controls controls(int b) {
    return {{744, b + 15, 756, b + 27}, {744, b + 50, 756, b + 62}, {761, b + 15, 876, b + 27},
            {761, b + 50, 876, b + 62}, {884, b + 15, 920, b + 29}, {924, b + 15, 934, b + 21},
            {924, b + 23, 934, b + 29}};
}
constexpr const char* kSelected = "/MouseAttribute/ScrollSpeed/Enable.png";
constexpr const char* kUnselected = "/MouseAttribute/ScrollSpeed/Disable.png";
constexpr const char* kBoxImage = "/MouseAttribute/ScrollSpeed/ScrollLines.png";
}  // namespace scroll

// Sliders with a 1..10 scale: Angle Snap and the X/Y sensitivity bars
// ------------------------------
namespace slider {
constexpr const char* kBarImage = "/StageSlider/%1.png";  // %1: level
constexpr int kScaleCount = 10;
constexpr int kScalePitch = 21;
constexpr int kScaleHeight = 20;
}  // namespace slider

namespace angle_snap {
struct Controls {
    Rect picture, bar;
};
constexpr Controls controls(int b) {
    return {{754, b + 10, 961, b + 95}, {754, b + 106, 962, b + 115}};
}
// Scale label k (1..10): from the bar's bottom, 20 high, to the bar's right edge, and at least
// one pitch wide: "10" starts too near the bar's end to fit before it.
constexpr Rect scale_label(const Rect& bar, int k) {
    const int left = bar.left + 6 + slider::kScalePitch * (k - 1);
    const int right =
        left + slider::kScalePitch > bar.right ? left + slider::kScalePitch : bar.right;
    return {left, bar.bottom, right, bar.bottom + slider::kScaleHeight};
}
constexpr const char* kPictureImage = "/AngleSnap/%1.png";  // %1: level 1..10
}  // namespace angle_snap

namespace sensitivity {
struct Axis {
    Rect label, bar;
    int scale_top;
};
// Axis 0 is X, 1 is Y; b is the bottom of the "X/Y Sensitivity Setting" header.
constexpr Axis axis(int b, int which) {
    const int dy = 60 * which;
    return {{37, b + 20 + dy, 262, b + 40 + dy}, {37, b + 40 + dy, 245, b + 49 + dy}, b + 57 + dy};
}
constexpr Rect scale_label(const Axis& a, int k) {
    return {44 + slider::kScalePitch * (k - 1), a.scale_top, 262,
            a.scale_top + slider::kScaleHeight};
}
}  // namespace sensitivity

}  // namespace p330::layout
