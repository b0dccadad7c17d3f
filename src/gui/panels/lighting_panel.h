#pragma once
// "Lighting": three modes, each with a level bar, and the mode markers.

#include "core/settings/settings_catalogue.h"
#include "gui/panels/panel.h"

namespace p330::gui {

class LightingPanel : public Panel {
  public:
    explicit LightingPanel(PanelContext context);
    bool click(layout::Point p) override;
    // What the scale under row's bar reads at a level: "100%", or "25%–50%" between marks.
    static QString scale_text(int row, int level);

  protected:
    void paint_contents(int b) override;

  private:
    void paint_markers();
    void paint_bar(int row);
    static const SettingEntry& row_setting(int row);
};

}  // namespace p330::gui
