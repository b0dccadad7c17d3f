#pragma once
// The columns' accordion and the right column's paging, as pure functions of the expanded
// flags, the page and the panels' body heights.

#include <array>
#include <optional>

#include "gui/layout/main_layout.h"

namespace p330::layout {

enum class Page { kUpper, kLower };

using RightFlags = std::array<bool, kRightPanelCount>;
using RightHeights = std::array<int, kRightPanelCount>;

struct RightColumn {
    std::array<int, kRightPanelCount> top{};  // header tops; meaningful where visible
    RightFlags visible{};
    bool thumb_to_top = false;  // a header was hidden: the thumb goes back to the track's top
};

// The upper page: "DPI Setting" first, stacked by the expanded flags; the lower headers are
// hidden when the panels above them fill the column.
RightColumn upper_page(const RightFlags& expanded, const RightHeights& body_height);
// The lower page: "Mouse Speed" at the column's top and the three after it; the first three
// headers hidden.
RightColumn lower_page(const RightFlags& expanded, const RightHeights& body_height);
// The page the thumb at `thumb_top` asks for, or nothing when the page stays as it is.
std::optional<Page> page_for_thumb(const RightFlags& expanded, int thumb_top, Page current);

struct LeftColumn {
    Rect button_assignment;
    Rect macro_manager;
    Rect sensitivity;
};
LeftColumn left_column(bool assignment_expanded, int assignment_body_height);

}  // namespace p330::layout
