#include "gui/panels/button_rows_panel.h"

#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

ButtonRowsPanel::ButtonRowsPanel(PanelContext context,
                                 std::array<std::string, kButtonCount>& labels)
    : Panel(context, kButtonAssignmentHeader.rect.left, kButtonAssignmentHeader.rect.right,
            kButtonAssignmentHeader.label, kButtonAssignmentBody),
      labels_(labels) {}

void ButtonRowsPanel::paint_box(int row, BoxLook look) {
    const char* image = look == BoxLook::kHover    ? kDropdownOver
                        : look == BoxLook::kChosen ? kDropdownChosen
                                                   : kDropdownNormal;
    ctx_.canvas.draw(image, dropdown_box(row).top_left());
    ctx_.canvas.label(dropdown_label(row), QString::fromStdString(labels_[row]), kCentred);
}

int ButtonRowsPanel::box_at(Point p) const {
    if (!expanded()) return -1;
    for (int i = 0; i < kButtonCount; ++i) {
        if (dropdown_box(i).contains(p)) return i;
    }
    return -1;
}

void ButtonRowsPanel::paint_contents(int) {
    for (int i = 0; i < kButtonCount; ++i) {
        ctx_.canvas.label(button_row_label(i), qtext(ctx_.texts.button_names[i]), kCentred);
        paint_box(i, BoxLook::kIdle);
    }
}

}  // namespace p330::gui
