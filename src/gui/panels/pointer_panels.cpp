#include "gui/panels/pointer_panels.h"

#include <QLineEdit>

#include "core/settings/setting_limits.h"
#include "gui/layout/control_rules.h"
#include "gui/layout/panel_layout.h"
#include "gui/panels/edit_box.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

namespace {

// A 1..10 scale under a bar.
template <typename LabelRect>
void paint_scale(SkinCanvas& canvas, LabelRect&& rect_of) {
    for (int k = 1; k <= slider::kScaleCount; ++k) canvas.label(rect_of(k), QString::number(k), 0);
}

// An empty box, or a minus alone, is a number still being typed.
bool is_being_typed(const QString& text) {
    return text.isEmpty() || text == QLatin1String("-");
}

}  // namespace

// Speed gauges ----------------------------------------------------------------------------------

SpeedPanel::SpeedPanel(PanelContext context, TextRole title, std::uint8_t SettingsRecord::*field)
    : Panel(context, kRightLeft, kRightRight, title, kRightPanels[kMouseSpeed].body),
      field_(field) {}

void SpeedPanel::paint_gauge() {
    const speed::Gauge g = speed::gauge(header_bottom(), body_size().width());
    ctx_.canvas.draw_numbered(speed::kGaugeImage, ctx_.record.*field_, g.gauge.top_left());
    ctx_.canvas.label(g.slow, qtext(ctx_.texts.slow), kCentred);
    ctx_.canvas.label(g.fast, qtext(ctx_.texts.fast), kCentred);
}

void SpeedPanel::paint_contents(int) {
    paint_gauge();
}

bool SpeedPanel::click(Point p) {
    const speed::Gauge g = speed::gauge(header_bottom(), body_size().width());
    const std::optional<int> level = gauge_level(g.gauge, p);
    if (!level) return false;
    ctx_.record.*field_ = static_cast<std::uint8_t>(*level);
    // The body first: the labels beside the gauge are drawn on a clean background.
    ctx_.canvas.draw(kRightPanels[kMouseSpeed].body, {kRightLeft, header_bottom()});
    paint_gauge();
    return true;
}

// Scroll Speed ----------------------------------------------------------------------------------

ScrollPanel::ScrollPanel(PanelContext context)
    : Panel(context, kRightLeft, kRightRight, &UiTexts::scroll_speed,
            kRightPanels[kScrollSpeed].body) {}

ScrollPanel::~ScrollPanel() {
    close_controls();
}

void ScrollPanel::paint_markers() {
    const scroll::Controls c = scroll::controls(header_bottom());
    const bool by_page = ctx_.record.scroll_by_page != 0;
    ctx_.canvas.draw(by_page ? scroll::kUnselected : scroll::kSelected, c.lines_marker.top_left());
    ctx_.canvas.draw(by_page ? scroll::kSelected : scroll::kUnselected, c.page_marker.top_left());
    if (box_ != nullptr) box_->setEnabled(!by_page);
}

void ScrollPanel::paint_contents(int b) {
    const scroll::Controls c = scroll::controls(b);
    ctx_.canvas.label(c.lines_label, qtext(ctx_.texts.number_of_rows), 0);
    ctx_.canvas.label(c.page_label, qtext(ctx_.texts.scroll_one_screen), 0);
    ctx_.canvas.draw(scroll::kBoxImage, c.box.top_left());
    close_controls();
    box_ = make_edit_box(ctx_.window, c.box, ctx_.canvas, true);
    connect(box_, &QLineEdit::textChanged, this, [this] { box_changed(); });
    connect(box_, &QLineEdit::editingFinished, this, [this] { box_finished(); });
    set_lines(ctx_.record.scroll_lines);
    paint_markers();
}

void ScrollPanel::close_controls() {
    delete box_;
    box_ = nullptr;
}

void ScrollPanel::set_lines(int lines) {
    if (box_ == nullptr) return;
    programmatic_ = true;
    box_->setText(QString::number(lines));
    programmatic_ = false;
}

void ScrollPanel::box_changed() {
    const QString text = box_->text();
    const int typed = leading_number(text.toStdString());
    const int lines = scroll_lines_value(typed);
    ctx_.record.scroll_lines = static_cast<std::uint8_t>(lines);
    // An empty box, or a minus alone, is being typed into: it becomes a number when left.
    if (lines != typed && !(is_being_typed(text) && !programmatic_)) set_lines(lines);
}

void ScrollPanel::box_finished() {
    if (box_ != nullptr && is_being_typed(box_->text())) set_lines(ctx_.record.scroll_lines);
}

bool ScrollPanel::click(Point p) {
    const scroll::Controls c = scroll::controls(header_bottom());
    SettingsRecord& r = ctx_.record;
    if (c.lines_marker.contains(p) || c.page_marker.contains(p)) {
        r.scroll_by_page = c.page_marker.contains(p) ? 1 : 0;
        paint_markers();
        return true;
    }
    if (box_ == nullptr) return false;
    if (c.up.contains(p)) {
        r.scroll_lines =
            static_cast<std::uint8_t>(std::min(r.scroll_lines + 1, kScrollLinesRange.max));
    } else if (c.down.contains(p)) {
        r.scroll_lines =
            static_cast<std::uint8_t>(std::max(r.scroll_lines - 1, kScrollLinesRange.min));
    } else {
        return false;
    }
    set_lines(r.scroll_lines);
    return true;
}

// Angle Snap ------------------------------------------------------------------------------------

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
    paint_scale(ctx_.canvas, [&](int k) { return angle_snap::scale_label(bar, k); });
}

bool AngleSnapPanel::click(Point p) {
    const Rect bar = angle_snap::controls(header_bottom()).bar;
    if (!bar.contains(p)) return false;
    ctx_.record.angle_snap_level =
        static_cast<std::uint8_t>(slider_level(p.x, bar.left, kAngleSnapRange.max));
    paint_level();
    return true;
}

// X/Y Sensitivity -------------------------------------------------------------------------------

SensitivityPanel::SensitivityPanel(PanelContext context)
    : Panel(context, kSensitivityHeader.rect.left, kSensitivityHeader.rect.right,
            kSensitivityHeader.label, kSensitivityBody) {}

std::uint8_t& SensitivityPanel::level(int axis) {
    return axis == 0 ? ctx_.record.sensitivity_x : ctx_.record.sensitivity_y;
}

void SensitivityPanel::paint_contents(int b) {
    const std::string_view names[2] = {ctx_.texts.x_axis, ctx_.texts.y_axis};
    for (int axis = 0; axis < 2; ++axis) {
        const sensitivity::Axis a = sensitivity::axis(b, axis);
        ctx_.canvas.label(a.label, qtext(names[axis]), 0);
        ctx_.canvas.draw_numbered(slider::kBarImage, level(axis), a.bar.top_left());
        paint_scale(ctx_.canvas, [&](int k) { return sensitivity::scale_label(a, k); });
    }
}

bool SensitivityPanel::click(Point p) {
    for (int axis = 0; axis < 2; ++axis) {
        const Rect bar = sensitivity::axis(header_bottom(), axis).bar;
        if (!bar.contains(p)) continue;
        level(axis) = static_cast<std::uint8_t>(slider_level(p.x, bar.left, kSensitivityRange.max));
        ctx_.canvas.draw_numbered(slider::kBarImage, level(axis), bar.top_left());
        return true;
    }
    return false;
}

}  // namespace p330::gui
