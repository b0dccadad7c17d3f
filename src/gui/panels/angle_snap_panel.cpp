#include "gui/panels/angle_snap_panel.h"

#include "core/settings/settings_catalogue.h"
#include "gui/layout/control_rules.h"
#include "gui/layout/panel_layout.h"
#include "gui/panels/slider_scale.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

AngleSnapPanel::AngleSnapPanel(PanelContext context)
    : Panel(context, kRightLeft, kRightRight, &UiTexts::angle_snap, kRightPanels[kAngleSnap].body) {
}

void AngleSnapPanel::paint_level() {
    const angle_snap::Controls c = angle_snap::controls(header_bottom());
    ctx_.canvas.draw_numbered(angle_snap::kPictureImage, ctx_.record.angle_snap_level,
                              c.picture.top_left());
    ctx_.canvas.draw_numbered(slider::kBarImage, ctx_.record.angle_snap_level, c.bar.top_left());
}

void AngleSnapPanel::paint_contents(int b) {
    paint_level();
    const Rect bar = angle_snap::controls(b).bar;
    paint_slider_scale(ctx_.canvas, [&](int k) { return angle_snap::scale_label(bar, k); });
}

bool AngleSnapPanel::click(Point p) {
    const Rect bar = angle_snap::controls(header_bottom()).bar;
    if (!bar.contains(p)) return false;
    const SettingEntry& snap = setting(SettingId::kAngleSnap);
    snap.set(ctx_.record, slider_level(p.x, bar.left, snap.range.max));
    paint_level();
    return true;
}

}  // namespace p330::gui
