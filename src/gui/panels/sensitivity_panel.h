#pragma once
// "X/Y Sensitivity Setting" in the left column: two 1..11 bars.

#include "core/settings/settings_catalogue.h"
#include "gui/panels/panel.h"

namespace p330::gui {

// "X/Y Sensitivity Setting" in the left column: two 1..11 bars.
class SensitivityPanel : public Panel {
  public:
    explicit SensitivityPanel(PanelContext context);
    bool click(layout::Point p) override;

  protected:
    void paint_contents(int b) override;

  private:
    int level(int axis) const;
    static const SettingEntry& axis_setting(int axis);
};

}  // namespace p330::gui
