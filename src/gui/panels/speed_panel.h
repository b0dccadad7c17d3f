#pragma once
// "Mouse Speed" and "Double Click Speed": a half-ring gauge of levels.

#include "core/settings/settings_catalogue.h"
#include "gui/panels/panel.h"

namespace p330::gui {

// "Mouse Speed" and "Double Click Speed": a half-ring gauge of levels 2..12.
class SpeedPanel : public Panel {
  public:
    SpeedPanel(PanelContext context, layout::TextRole title, const SettingEntry& setting);
    bool click(layout::Point p) override;

  protected:
    void paint_contents(int b) override;

  private:
    void paint_gauge();
    const SettingEntry& setting_;
};

}  // namespace p330::gui
