#pragma once
// "Button Assignment": the eight rows, each with the button's name and a box showing the
// function it has. The function lists that open from the boxes build on this.

#include <array>
#include <string>

#include "gui/panels/panel.h"

namespace p330::gui {

class ButtonRowsPanel : public Panel {
  public:
    ButtonRowsPanel(PanelContext context, std::array<std::string, kButtonCount>& labels);

    enum class BoxLook { kIdle, kHover, kChosen };
    // The row's box in one of its looks, with the button's label on it.
    void paint_box(int row, BoxLook look);
    // The row whose box holds p while the panel is expanded, or -1.
    int box_at(layout::Point p) const;

  protected:
    void paint_contents(int b) override;

  private:
    std::array<std::string, kButtonCount>& labels_;
};

}  // namespace p330::gui
