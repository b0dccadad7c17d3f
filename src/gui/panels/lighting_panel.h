#pragma once
// "Lighting": three modes, each with a level bar, and the mode markers.

#include "gui/panels/panel.h"

namespace p330::gui {

class LightingPanel : public Panel {
  public:
    explicit LightingPanel(PanelContext context);
    bool click(layout::Point p) override;

  protected:
    void paint_contents(int b) override;

  private:
    void paint_markers();
    void paint_bar(int row);
    std::uint8_t& level(int row);
};

// "USB Report Rate": the dial of the four rates.
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
