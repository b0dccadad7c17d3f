#include "gui/panels/lighting_panel.h"

#include "core/settings/settings_catalogue.h"
#include "gui/layout/control_rules.h"
#include "gui/layout/panel_layout.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

LightingPanel::LightingPanel(PanelContext context)
    : Panel(context, kRightLeft, kRightRight, &UiTexts::lighting, kRightPanels[kLighting].body) {}

const SettingEntry& LightingPanel::row_setting(int row) {
    return setting(light_level_setting(row + 1));
}

void LightingPanel::paint_markers() {
    for (int i = 0; i < lighting::kModes; ++i) {
        const bool selected = ctx_.record.light_mode == i + 1;
        ctx_.canvas.draw(selected ? lighting::kSelected : lighting::kUnselected,
                         lighting::row(header_bottom(), i).marker.top_left());
    }
}

void LightingPanel::paint_bar(int row) {
    ctx_.canvas.draw_numbered(lighting::kBarImage, row_setting(row).get(ctx_.record),
                              lighting::row(header_bottom(), row).bar.top_left());
}

void LightingPanel::paint_contents(int b) {
    paint_markers();
    const std::string_view names[lighting::kModes] = {
        ctx_.texts.light_standard, ctx_.texts.light_respiration, ctx_.texts.light_neon};
    for (int i = 0; i < lighting::kModes; ++i) {
        const lighting::Row row = lighting::row(b, i);
        ctx_.canvas.label(row.label, qtext(names[i]), 0);
        paint_bar(i);
        for (int j = 0; j < lighting::kScaleMarks; ++j)
            ctx_.canvas.label(lighting::scale_mark(row.bar, j), qtext(lighting::kScales[i][j]),
                              kCentred, ctx_.canvas.fonts().small);
    }
}

QString LightingPanel::scale_text(int row, int level) {
    const lighting::ScaleReading at = lighting::scale_reading(level);
    const auto& marks = lighting::kScales[static_cast<std::size_t>(row)];
    QString first = qtext(marks[static_cast<std::size_t>(at.first)]);
    if (at.first == at.last) return first;
    return first + QChar(0x2013) + qtext(marks[static_cast<std::size_t>(at.last)]);
}

bool LightingPanel::click(Point p) {
    for (int i = 0; i < lighting::kModes; ++i) {
        const lighting::Row row = lighting::row(header_bottom(), i);
        if (row.marker.contains(p)) {
            setting(SettingId::kLightMode).set(ctx_.record, i + 1);
            paint_markers();
            return true;
        }
        if (row.bar.contains(p)) {
            row_setting(i).set(ctx_.record, lighting_level(p.x, row.bar.left));
            paint_bar(i);
            return true;
        }
    }
    return false;
}

}  // namespace p330::gui
