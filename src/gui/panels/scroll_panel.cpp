#include "gui/panels/scroll_panel.h"

#include <QLineEdit>
#include <algorithm>

#include "core/settings/settings_catalogue.h"
#include "gui/layout/control_rules.h"
#include "gui/layout/panel_layout.h"
#include "gui/panels/edit_box.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

namespace {

// An empty box, or a minus alone, is a number still being typed.
bool is_being_typed(const QString& text) {
    return text.isEmpty() || text == QLatin1String("-");
}

}  // namespace

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
    setting(SettingId::kScrollLines).set(ctx_.record, lines);
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
        setting(SettingId::kScrollPage).set(r, c.page_marker.contains(p) ? 1 : 0);
        paint_markers();
        return true;
    }
    if (box_ == nullptr) return false;
    const SettingEntry& lines = setting(SettingId::kScrollLines);
    if (c.up.contains(p)) {
        lines.set(r, std::min(r.scroll_lines + 1, lines.range.max));
    } else if (c.down.contains(p)) {
        lines.set(r, std::max(r.scroll_lines - 1, lines.range.min));
    } else {
        return false;
    }
    set_lines(r.scroll_lines);
    return true;
}

}  // namespace p330::gui
