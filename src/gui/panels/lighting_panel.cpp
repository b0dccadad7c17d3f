#include "gui/panels/lighting_panel.h"

#include "core/model/record_units.h"
#include "gui/layout/control_rules.h"
#include "gui/layout/panel_layout.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

LightingPanel::LightingPanel(PanelContext context)
    : Panel(context, kRightLeft, kRightRight, &UiTexts::lighting, kRightPanels[kLighting].body) {}

std::uint8_t& LightingPanel::level(int row) {
    SettingsRecord& r = ctx_.record;
    return row == 0 ? r.light_param_1 : row == 1 ? r.light_param_2 : r.light_param_3;
}

void LightingPanel::paint_markers() {
    for (int i = 0; i < lighting::kModes; ++i) {
        const bool selected = ctx_.record.light_mode == i + 1;
        ctx_.canvas.draw(selected ? lighting::kSelected : lighting::kUnselected,
                         lighting::row(header_bottom(), i).marker.top_left());
    }
}

void LightingPanel::paint_bar(int row) {
    ctx_.canvas.draw_numbered(lighting::kBarImage, level(row),
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
        for (const lighting::ScaleMark& mark : lighting::kScales[i]) {
            const int left = row.bar.left + mark.offset;
            const int top = row.bar.top + lighting::kScaleGap;
            ctx_.canvas.label(
                {left, top, left + lighting::kScaleWidth, top + lighting::kScaleHeight},
                qtext(mark.text), 0, ctx_.canvas.fonts().small);
        }
    }
}

bool LightingPanel::click(Point p) {
    for (int i = 0; i < lighting::kModes; ++i) {
        const lighting::Row row = lighting::row(header_bottom(), i);
        if (row.marker.contains(p)) {
            ctx_.record.light_mode = static_cast<std::uint8_t>(i + 1);
            paint_markers();
            return true;
        }
        if (row.bar.contains(p)) {
            level(i) = static_cast<std::uint8_t>(lighting_level(p.x, row.bar.left));
            paint_bar(i);
            return true;
        }
    }
    return false;
}

ReportRatePanel::ReportRatePanel(PanelContext context)
    : Panel(context, kRightLeft, kRightRight, &UiTexts::usb_report_rate,
            kRightPanels[kReportRate].body) {}

void ReportRatePanel::paint_dial() {
    const std::uint8_t interval = ctx_.record.report_interval;
    // Only the four rates have a picture; any other interval leaves the dial blank.
    if (report_interval_of_rate(report_rate_hz(interval)) == interval)
        ctx_.canvas.draw_numbered(report_rate::kDialImage, report_rate_hz(interval),
                                  dial_.top_left());
}

void ReportRatePanel::paint_contents(int b) {
    dial_ = report_rate::dial(b, body_size().width());
    paint_dial();
}

bool ReportRatePanel::click(Point p) {
    const std::optional<int> interval = dial_interval(dial_, p);
    if (!interval) return false;
    ctx_.record.report_interval = static_cast<std::uint8_t>(*interval);
    paint_dial();
    return true;
}

}  // namespace p330::gui
