#include "gui/layout/accordion.h"

#include <algorithm>

namespace p330::layout {
namespace {

int next_top(int top, bool expanded, int body_height) {
    return top + kHeaderHeight + (expanded ? body_height : 0) + kPanelGap;
}

}  // namespace

RightColumn upper_page(const RightFlags& e, const RightHeights& h) {
    RightColumn c;
    int top = kTrackTop;
    // Places panel i at the running top; the next panel follows it.
    auto place = [&](int i) {
        c.top[i] = top;
        c.visible[i] = true;
        top = next_top(top, e[i], h[i]);
    };
    auto finish_hiding_from = [&](int first_hidden) {
        for (int i = first_hidden; i < kRightPanelCount; ++i) c.visible[i] = false;
        c.thumb_to_top = true;
        return c;
    };
    place(kDpi);
    place(kLighting);
    place(kReportRate);
    int n = int(e[kDpi]) + int(e[kLighting]) + int(e[kReportRate]);
    if (n == 3 || (n == 2 && e[kDpi] && e[kReportRate])) return finish_hiding_from(kMouseSpeed);
    place(kMouseSpeed);
    n += int(e[kMouseSpeed]);
    if (n >= 3 || (n == 2 && e[kDpi] && (e[kLighting] || e[kMouseSpeed])))
        return finish_hiding_from(kDoubleClick);
    place(kDoubleClick);
    n += int(e[kDoubleClick]);
    if (n >= 3 || (n == 2 && e[kDpi] && (e[kLighting] || e[kDoubleClick])))
        return finish_hiding_from(kScrollSpeed);
    place(kScrollSpeed);
    n += int(e[kScrollSpeed]);
    if (n >= 3 || (n == 2 && (e[kDpi] || e[kReportRate]))) return finish_hiding_from(kAngleSnap);
    place(kAngleSnap);
    return c;
}

RightColumn lower_page(const RightFlags& e, const RightHeights& h) {
    RightColumn c;
    int top = kTrackTop;
    for (int i = kMouseSpeed; i < kRightPanelCount; ++i) {
        c.top[i] = top;
        c.visible[i] = true;
        top = next_top(top, e[i], h[i]);
    }
    return c;
}

std::optional<Page> page_for_thumb(const RightFlags& expanded, int thumb_top, Page current) {
    if (std::count(expanded.begin(), expanded.end(), true) < 2) return std::nullopt;
    const Page wanted =
        (kTrackBottom - kTrackTop) / 2 > thumb_top - kTrackTop ? Page::kUpper : Page::kLower;
    if (wanted == current) return std::nullopt;
    return wanted;
}

LeftColumn left_column(bool assignment_expanded, int assignment_body_height) {
    LeftColumn c;
    c.button_assignment = kButtonAssignmentHeader.rect;
    const int item_top =
        c.button_assignment.bottom + (assignment_expanded ? assignment_body_height : 0) + kPanelGap;
    c.macro_manager = kMacroManagerItem.rect.at_top(item_top);
    c.sensitivity = kSensitivityHeader.rect.at_top(c.macro_manager.bottom + kPanelGap);
    return c;
}

}  // namespace p330::layout
