#include "gui/panels/speed_panel.h"

#include "gui/layout/control_rules.h"
#include "gui/layout/panel_layout.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

SpeedPanel::SpeedPanel(PanelContext context, TextRole title, const SettingEntry& setting)
    : Panel(context, kRightLeft, kRightRight, title, kRightPanels[kMouseSpeed].body),
      setting_(setting) {}

void SpeedPanel::paint_gauge() {
    const speed::Gauge g = speed::gauge(header_bottom(), body_size().width());
    ctx_.canvas.draw_numbered(speed::kGaugeImage, setting_.get(ctx_.record), g.gauge.top_left());
    ctx_.canvas.label(g.slow, qtext(ctx_.texts.slow), kCentred);
    ctx_.canvas.label(g.fast, qtext(ctx_.texts.fast), kCentred);
}

void SpeedPanel::paint_contents(int) {
    paint_gauge();
}

bool SpeedPanel::click(Point p) {
    const speed::Gauge g = speed::gauge(header_bottom(), body_size().width());
    const std::optional<int> level = gauge_level(g.gauge, p);
    if (!level || !setting_.set(ctx_.record, *level)) return false;
    // The body first: the labels beside the gauge are drawn on a clean background.
    ctx_.canvas.draw(kRightPanels[kMouseSpeed].body, {kRightLeft, header_bottom()});
    paint_gauge();
    return true;
}

}  // namespace p330::gui
