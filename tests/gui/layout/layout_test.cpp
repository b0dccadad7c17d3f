// The window geometry and the controls' pixel rules, without Qt.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gui/layout/accordion.h"
#include "gui/layout/control_rules.h"
#include "gui/layout/focus_order.h"
#include "gui/layout/panel_layout.h"

namespace p330::layout {
namespace {

// The default skin's body heights: DPI, Lighting, Rate, Mouse, Double click, Scroll, Angle.
constexpr RightHeights kHeights = {225, 112, 138, 110, 110, 72, 140};
constexpr int kAssignmentBody = 195;
constexpr int kBodyWidth = 242;

RightFlags flags(std::initializer_list<int> expanded) {
    RightFlags f{};
    for (int i : expanded) f[i] = true;
    return f;
}

std::vector<int> visible(const RightColumn& c) {
    std::vector<int> v;
    for (int i = 0; i < kRightPanelCount; ++i)
        if (c.visible[i]) v.push_back(i);
    return v;
}

TEST(AccordionTest, UpperPageStacksAndHidesByTheExpandedPanels) {
    const RightColumn collapsed = upper_page({}, kHeights);
    for (int i = 0; i < kRightPanelCount; ++i) EXPECT_EQ(collapsed.top[i], 32 + 25 * i);
    EXPECT_FALSE(collapsed.thumb_to_top);

    const RightColumn dpi = upper_page(flags({kDpi}), kHeights);
    EXPECT_EQ(dpi.top[kLighting], 52 + 225 + 5);
    EXPECT_EQ(visible(dpi).size(), 7u);

    // Every pair of expanded panels: which headers stay is the column's rule.
    struct Pair {
        int a, b;
        int last_visible;
    };
    const Pair pairs[] = {
        {kDpi, kLighting, kMouseSpeed},           {kDpi, kReportRate, kReportRate},
        {kDpi, kMouseSpeed, kMouseSpeed},         {kDpi, kDoubleClick, kDoubleClick},
        {kDpi, kScrollSpeed, kScrollSpeed},       {kDpi, kAngleSnap, kAngleSnap},
        {kLighting, kReportRate, kScrollSpeed},   {kLighting, kMouseSpeed, kAngleSnap},
        {kLighting, kDoubleClick, kAngleSnap},    {kLighting, kScrollSpeed, kAngleSnap},
        {kReportRate, kMouseSpeed, kScrollSpeed}, {kReportRate, kScrollSpeed, kScrollSpeed},
        {kReportRate, kAngleSnap, kAngleSnap},    {kMouseSpeed, kDoubleClick, kAngleSnap},
        {kScrollSpeed, kAngleSnap, kAngleSnap},
    };
    for (const Pair& p : pairs) {
        const RightColumn c = upper_page(flags({p.a, p.b}), kHeights);
        EXPECT_EQ(visible(c).back(), p.last_visible) << p.a << "+" << p.b;
        EXPECT_EQ(c.thumb_to_top, p.last_visible != kAngleSnap) << p.a << "+" << p.b;
    }
    // Three expanded: nothing below the third.
    EXPECT_EQ(visible(upper_page(flags({kDpi, kLighting, kReportRate}), kHeights)).back(),
              kReportRate);
    EXPECT_EQ(visible(upper_page(flags({kLighting, kMouseSpeed, kDoubleClick}), kHeights)).back(),
              kDoubleClick);
}

TEST(AccordionTest, LowerPageAndPagingByTheThumb) {
    const RightColumn lower = lower_page(flags({kMouseSpeed, kScrollSpeed}), kHeights);
    EXPECT_EQ(visible(lower),
              (std::vector<int>{kMouseSpeed, kDoubleClick, kScrollSpeed, kAngleSnap}));
    EXPECT_EQ(lower.top[kMouseSpeed], 32);
    EXPECT_EQ(lower.top[kDoubleClick], 32 + 20 + 110 + 5);

    const RightFlags two = flags({kDpi, kReportRate});
    EXPECT_EQ(page_for_thumb(flags({kDpi}), 400, Page::kUpper), std::nullopt);  // fewer than 2
    EXPECT_EQ(page_for_thumb(two, 32 + 280, Page::kUpper), std::nullopt);       // upper half
    EXPECT_EQ(page_for_thumb(two, 32 + 281, Page::kUpper), Page::kLower);
    EXPECT_EQ(page_for_thumb(two, 32 + 281, Page::kLower), std::nullopt);
    EXPECT_EQ(page_for_thumb(two, 40, Page::kLower), Page::kUpper);
}

TEST(AccordionTest, LeftColumnMovesBelowTheAssignmentBody) {
    const LeftColumn collapsed = left_column(false, kAssignmentBody);
    EXPECT_EQ(collapsed.macro_manager.top, 132);
    EXPECT_EQ(collapsed.sensitivity.top, 175);
    const LeftColumn expanded = left_column(true, kAssignmentBody);
    EXPECT_EQ(expanded.macro_manager.top, 132 + kAssignmentBody);
    EXPECT_EQ(expanded.macro_manager.height(), 38);
    EXPECT_EQ(expanded.sensitivity.top, 175 + kAssignmentBody);
}

// The stops the keyboard reaches in one state of the columns, by the main window's focus
// order; a hidden header has no place. Their rectangles are what a click can reach then.
std::vector<Rect> live_targets(const RightFlags& e, Page page, bool assignment, bool sensitivity) {
    const Columns c{assignment, sensitivity, e,
                    page == Page::kUpper ? upper_page(e, kHeights) : lower_page(e, kHeights)};
    std::vector<Rect> t;
    for (const MainStop& row : main_focus_order()) {
        if (!shown(row, c) || (row.panel >= 0 && !c.right.visible[row.panel])) continue;
        const Rect header = row.panel >= 0 ? right_header(c.right.top[row.panel]) : Rect{};
        t.push_back(row.rect({left_column(assignment, kAssignmentBody), header, kBodyWidth}));
    }
    return t;
}

TEST(LayoutTableTest, LiveTargetsLieInTheWindowAndNeverOverlap) {
    constexpr Rect kColumns{20, 32, 976, kTrackBottom};
    for (int mask = 0; mask < (1 << kRightPanelCount); ++mask) {
        RightFlags e{};
        for (int i = 0; i < kRightPanelCount; ++i) e[i] = (mask >> i) & 1;
        for (Page page : {Page::kUpper, Page::kLower}) {
            for (int left = 0; left < 4; ++left) {
                const std::vector<Rect> t = live_targets(e, page, left & 1, left & 2);
                for (const Element* f : kFixedClickable) {  // each is a stop of the keyboard's
                    ASSERT_EQ(std::count_if(t.begin(), t.end(),
                                            [f](const Rect& r) { return r.inside(f->rect); }),
                              1)
                        << "a fixed element is not in the focus order once";
                }
                for (std::size_t a = 0; a < t.size(); ++a) {
                    ASSERT_TRUE(t[a].inside(kWindowRect)) << "mask " << mask << " target " << a;
                    const bool fixed =
                        std::any_of(kFixedClickable.begin(), kFixedClickable.end(),
                                    [&](const Element* f) { return t[a].inside(f->rect); });
                    if (!fixed) {
                        ASSERT_TRUE(t[a].inside(kColumns)) << "mask " << mask;
                    }
                    for (std::size_t b = a + 1; b < t.size(); ++b)
                        ASSERT_FALSE(t[a].intersects(t[b]))
                            << "mask " << mask << " page " << int(page) << " left " << left
                            << ": targets " << a << " and " << b;
                }
            }
        }
    }
}

TEST(ControlRulesTest, BarsDialAndGaugesFollowTheirPixelRules) {
    EXPECT_EQ(dpi_bar_value(202, 203), 1);  // one pixel above the bottom edge
    for (int y = 90; y < 103; ++y) EXPECT_EQ(dpi_bar_value(y, 203), 100);
    EXPECT_EQ(dpi_bar_value(150, 203), 52);

    EXPECT_EQ(lighting_level(834 + 3, 834), 1);
    EXPECT_EQ(lighting_level(834 + 4, 834), 2);
    EXPECT_EQ(lighting_level(834 + 124, 834), 6);

    const Rect dial{0, 0, 128, 128};  // centre (64, 64)
    EXPECT_EQ(dial_interval(dial, {64 + 34, 64}), std::nullopt);
    EXPECT_EQ(dial_interval(dial, {64 + 30, 64 - 30}), 1);             // distance 42, upper right
    EXPECT_EQ(dial_interval(dial, {64 - 30, 64 - 40}), 8);             // upper left: 125 Hz
    EXPECT_EQ(dial_interval(dial, {64 - 30, 64 + 40}), 4);             // lower left: 250 Hz
    EXPECT_EQ(dial_interval(dial, {64 + 30, 64 + 40}), 2);             // lower right: 500 Hz
    EXPECT_EQ(dial_interval(dial, {64 + 39, 64 - 52}), std::nullopt);  // 65 from the centre
    EXPECT_EQ(dial_interval(dial, {64, 64 - 50}), std::nullopt);       // on an axis

    const Rect gauge{0, 0, 142, 83};  // centre (71, 71)
    EXPECT_EQ(gauge_level(gauge, {71, 71 - 50}), 7);
    EXPECT_EQ(gauge_level(gauge, {71 - 50, 71}), 2);
    EXPECT_EQ(gauge_level(gauge, {71 + 44, 70}), 11);
    EXPECT_EQ(gauge_level(gauge, {71 + 50, 71}), 12);
    EXPECT_EQ(gauge_level(gauge, {71, 71 - 42}), std::nullopt);
    EXPECT_EQ(gauge_level(gauge, {71, 71 - 72}), std::nullopt);
    EXPECT_EQ(gauge_level(gauge, {71 + 50, 72}), std::nullopt);  // below the centre line

    EXPECT_EQ(slider_level(754 + 8, 754, 10), 1);
    EXPECT_EQ(slider_level(754 + 9, 754, 10), 2);
    EXPECT_EQ(slider_level(754 + 29, 754, 10), 2);
    EXPECT_EQ(slider_level(754 + 30, 754, 10), 3);
    EXPECT_EQ(slider_level(754 + 207, 754, 10), 10);
    EXPECT_EQ(slider_level(37 + 207, 37, 11), 11);
    EXPECT_EQ(slider_level(37 + 197, 37, 11), 10);

    EXPECT_EQ(scroll_lines_value(0), 1);
    EXPECT_EQ(scroll_lines_value(101), 1);
    EXPECT_EQ(scroll_lines_value(100), 100);
}

}  // namespace
}  // namespace p330::layout
