#include "gui/panels/dpi_panel.h"

#include <QColorDialog>
#include <QLineEdit>

#include "core/model/record_units.h"
#include "core/settings/setting_limits.h"
#include "core/settings/settings_catalogue.h"
#include "gui/layout/control_rules.h"
#include "gui/layout/panel_layout.h"
#include "gui/panels/edit_box.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

void store_stage_colour(SettingsRecord& record, int stage, const QColor& colour) {
    store_stage_rgb(
        record, stage,
        Rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())});
}

QColor stage_colour(const SettingsRecord& record, int stage) {
    const Rgb c = stage_rgb(record, stage);
    return {c.red, c.green, c.blue};
}

DpiPanel::DpiPanel(PanelContext context)
    : Panel(context, kRightLeft, kRightRight, &UiTexts::dpi_setting, kRightPanels[kDpi].body),
      choose_colour([](QWidget* parent, const QColor& now) -> std::optional<QColor> {
          const QColor chosen = QColorDialog::getColor(now, parent);
          if (!chosen.isValid()) return std::nullopt;
          return chosen;
      }) {}

DpiPanel::~DpiPanel() {
    close_controls();
}

void DpiPanel::paint_contents(int) {
    for (int k = 0; k < dpi::kStages; ++k) {
        paint_bar(k);
        ctx_.canvas.draw(dpi::kBoxImage, dpi::kBoxes[k].top_left());
    }
    ctx_.canvas.label(dpi::kDialDownLegend, qtext(ctx_.texts.dpi_dial_down), 0);
    ctx_.canvas.label(dpi::kDialUpLegend, qtext(ctx_.texts.dpi_dial_up), 0);
    create_controls();
}

void DpiPanel::paint_bar(int stage) {
    ctx_.canvas.draw_numbered(dpi::kBarImage, ctx_.record.dpi_stage[stage],
                              dpi::kBars[stage].top_left());
}

void DpiPanel::create_controls() {
    close_controls();
    for (int k = 0; k < dpi::kStages; ++k) {
        QLineEdit* box = make_edit_box(ctx_.window, dpi::kBoxes[k], ctx_.canvas);
        boxes_[k] = box;
        connect(box, &QLineEdit::textChanged, this, [this, k] { box_changed(k); });
        connect(box, &QLineEdit::editingFinished, this, [this, k] { box_finished(k); });
        programmatic_ = true;
        box->setText(QString::number(dpi_of_stored(ctx_.record.dpi_stage[k])));
        programmatic_ = false;
        swatches_[k] = make_swatch(ctx_.window, dpi::kSwatches[k], stage_colour(ctx_.record, k));
    }
}

void DpiPanel::close_controls() {
    for (QLineEdit*& box : boxes_) {
        delete box;
        box = nullptr;
    }
    for (QWidget*& swatch : swatches_) {
        delete swatch;
        swatch = nullptr;
    }
}

void DpiPanel::box_changed(int stage) {
    QLineEdit* box = boxes_[stage];
    if (box == nullptr) return;
    const QString text = box->text();
    const int typed = leading_number(text.toStdString());
    const DpiEntry entry = clamp_dpi_entry(typed);
    setting(dpi_setting(stage)).set(ctx_.record, entry.shown);
    // A number on its way up (the user is still typing "8" of "800") is rewritten when the
    // box is left; anything over the limit, or no number at all, at once.
    if (entry.clamped && !(typed < 100 && is_partial_number(text) && !programmatic_)) {
        const bool outer = programmatic_;
        programmatic_ = true;
        box->setText(QString::number(entry.shown));
        programmatic_ = outer;
    }
    if (!programmatic_) {
        paint_bar(stage);
        if (QWidget* w = ctx_.window) w->update(ctx_.canvas.take_dirty());
    }
}

void DpiPanel::box_finished(int stage) {
    QLineEdit* box = boxes_[stage];
    if (box == nullptr) return;
    const DpiEntry entry = clamp_dpi_entry(leading_number(box->text().toStdString()));
    if (entry.clamped) box->setText(QString::number(entry.shown));
}

bool DpiPanel::click(Point p) {
    for (int k = 0; k < dpi::kStages; ++k) {
        if (dpi::kBars[k].contains(p)) {
            // The bar's lowest pixels would give 50 DPI; the stage takes 100 at least, and the
            // bar shows what is stored.
            const DpiEntry entry = clamp_dpi_entry(
                dpi_of_stored(static_cast<std::uint8_t>(dpi_bar_value(p.y, dpi::kBars[k].bottom))));
            setting(dpi_setting(k)).set(ctx_.record, entry.shown);
            paint_bar(k);
            if (boxes_[k] != nullptr) {
                programmatic_ = true;
                boxes_[k]->setText(QString::number(entry.shown));
                programmatic_ = false;
            }
            return true;
        }
        if (dpi::kSwatches[k].contains(p)) {
            const std::optional<QColor> colour =
                choose_colour(ctx_.window, stage_colour(ctx_.record, k));
            if (!colour) return false;
            store_stage_colour(ctx_.record, k, *colour);
            if (swatches_[k] != nullptr) set_swatch_colour(swatches_[k], *colour);
            return true;
        }
    }
    return false;
}

}  // namespace p330::gui
