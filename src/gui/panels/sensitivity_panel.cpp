#include "gui/panels/sensitivity_panel.h"

#include "gui/layout/control_rules.h"
#include "gui/layout/panel_layout.h"
#include "gui/panels/slider_scale.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

SensitivityPanel::SensitivityPanel(PanelContext context)
    : Panel(context, kSensitivityHeader.rect.left, kSensitivityHeader.rect.right,
            kSensitivityHeader.label, kSensitivityBody) {}

const SettingEntry& SensitivityPanel::axis_setting(int axis) {
    return setting(axis == 0 ? SettingId::kSensitivityX : SettingId::kSensitivityY);
}

int SensitivityPanel::level(int axis) const {
    return axis_setting(axis).get(ctx_.record);
}

void SensitivityPanel::paint_contents(int b) {
    const std::string_view names[2] = {ctx_.texts.x_axis, ctx_.texts.y_axis};
    for (int axis = 0; axis < 2; ++axis) {
        const sensitivity::Axis a = sensitivity::axis(b, axis);
        ctx_.canvas.label(a.label, qtext(names[axis]), 0);
        ctx_.canvas.draw_numbered(slider::kBarImage, level(axis), a.bar.top_left());
        paint_slider_scale(ctx_.canvas, [&](int k) { return sensitivity::scale_label(a, k); });
    }
}

bool SensitivityPanel::click(Point p) {
    for (int axis = 0; axis < 2; ++axis) {
        const Rect bar = sensitivity::axis(header_bottom(), axis).bar;
        if (!bar.contains(p)) continue;
        const SettingEntry& s = axis_setting(axis);
        s.set(ctx_.record, slider_level(p.x, bar.left, s.range.max));
        ctx_.canvas.draw_numbered(slider::kBarImage, level(axis), bar.top_left());
        return true;
    }
    return false;
}

}  // namespace p330::gui
