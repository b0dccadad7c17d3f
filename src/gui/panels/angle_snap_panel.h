#pragma once
// "Angle Snap": a picture of the snapping and a 1..10 bar.

#include "gui/panels/panel.h"

namespace p330::gui {

// "Angle Snap": a picture of the snapping and a 1..10 bar.
class AngleSnapPanel : public Panel {
  public:
    explicit AngleSnapPanel(PanelContext context);
    bool click(layout::Point p) override;

  protected:
    void paint_contents(int b) override;

  private:
    void paint_level();
};

}  // namespace p330::gui
