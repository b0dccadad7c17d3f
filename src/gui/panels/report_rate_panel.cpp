#include "gui/panels/report_rate_panel.h"

#include "core/model/record_units.h"
#include "core/settings/settings_catalogue.h"
#include "gui/layout/control_rules.h"
#include "gui/layout/panel_layout.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

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
    setting(SettingId::kReportRate)
        .set(ctx_.record, report_rate_hz(static_cast<std::uint8_t>(*interval)));
    paint_dial();
    return true;
}

}  // namespace p330::gui
