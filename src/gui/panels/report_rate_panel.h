#pragma once
// "USB Report Rate": the dial of the four rates.

#include "gui/panels/panel.h"

namespace p330::gui {

class ReportRatePanel : public Panel {
  public:
    explicit ReportRatePanel(PanelContext context);
    bool click(layout::Point p) override;

  protected:
    void paint_contents(int b) override;

  private:
    void paint_dial();
    layout::Rect dial_;
};

}  // namespace p330::gui
