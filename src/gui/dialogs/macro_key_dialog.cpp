#include "gui/dialogs/macro_key_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "core/formats/macro_file.h"
#include "core/lang/access_texts.h"
#include "core/lang/dialog_texts.h"
#include "core/util/text_encoding.h"
#include "gui/access/list_keys.h"
#include "gui/access/table_stops.h"
#include "gui/layout/dialog_layout.h"
#include "gui/skin/control_style.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

namespace {

constexpr QSize kMacroKeyDialogSize(layout::macro_key::kFrame.width(),
                                    layout::macro_key::kFrame.height());

}  // namespace

MacroKeyDialog::MacroKeyDialog(QWidget* parent, const QString& skin_dir, TextColour colour,
                               Language language, std::filesystem::path record_ini)
    : OkCancelDialog(parent, skin_dir, colour,
                     single_font(dialog_font(language, QStringLiteral("Arial"), 14)),
                     qtext(macro_key_dialog_texts(language).ok),
                     qtext(macro_key_dialog_texts(language).cancel)),
      record_ini_(std::move(record_ini)),
      language_(language) {
    setWindowTitle(qtext(ui_texts(language).fn_macro_key));
    set_close_name(qtext(access_texts(language).close));
    if (!LoadDialogBackground(skin().path(QString::fromLatin1(macro_key::kBackground)),
                              QStringLiteral("Macro Key Dialog Load background image failed!!!"),
                              kMacroKeyDialogSize)) {
        paint_frame();
        return;
    }
    chosen_ = new QLabel(this);
    chosen_->setGeometry(to_qrect(macro_key::kChosen));
    style_white_on_grey(chosen_, skin().fonts().normal);
    paint_frame();
    paint_modes();
    // The heading in white, above the drop-down area.
    QPainter p(&skin().image());
    p.setFont(skin().fonts().normal);
    p.setPen(Qt::white);
    p.drawText(to_qrect(macro_key::kHeading), Qt::AlignCenter | Qt::TextSingleLine,
               qtext(macro_key_dialog_texts(language).heading));
    skin().mark_dirty(to_qrect(macro_key::kHeading));
}

void MacroKeyDialog::paint_ticks() {
    for (int k = 0; k < 3; ++k) {
        skin().draw(k == mode_ ? macro_key::kTicked : macro_key::kUnticked,
                    macro_key::kTicks[k].top_left());
    }
}

void MacroKeyDialog::paint_modes() {
    paint_ticks();
    const MacroKeyDialogTexts& texts = macro_key_dialog_texts(language_);
    for (int k = 0; k < 3; ++k) {
        QPainter p(&skin().image());
        p.setFont(skin().fonts().normal);
        p.setPen(skin().text_colour());
        p.drawText(to_qrect(macro_key::kModeTexts[k]),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                   qtext(texts.repeat_modes[k]));
    }
}

void MacroKeyDialog::open_list() {
    list_ = new QListWidget(this);
    list_->setGeometry(to_qrect(macro_key::kList));
    style_white_on_grey(list_, skin().fonts().normal);
    style_dark_scroll_bars(list_);
    list_->setMouseTracking(true);
    // Read each time: the macro manager may have changed the file since.
    if (std::filesystem::exists(record_ini_)) {
        if (Result<IniDocument> doc = IniDocument::load(record_ini_)) {
            // Only the macros the mouse holds can be given to a button.
            for (const std::string& name : choosable_macro_names(*doc))
                list_->addItem(
                    QString::fromStdString(cut_to_characters(name, kMaxMacroNameLength)));
        }
    }
    connect(list_, &QListWidget::itemEntered, list_,
            [this](QListWidgetItem* item) { list_->setCurrentItem(item); });
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(list_->row(item)); });
    list_->show();
}

void MacroKeyDialog::open_list_from_keyboard() {
    if (list_ == nullptr) open_list();
    focus_popup_list(
        list_, this, [this](int row) { choose(row); }, [this] { close_list(); });
}

void MacroKeyDialog::add_stops(FocusStops& stops) {
    if (chosen_ == nullptr) return;  // opened without its background
    const MacroKeyDialogTexts& texts = macro_key_dialog_texts(language_);
    for (const auto& row : macro_key::kFocusOrder) {
        FocusStop s = table_stop(row, texts, access_texts(language_));
        if (row.stop == macro_key::Stop::kMacro) {
            s.open = [this] { open_list_from_keyboard(); };
            s.press = s.open;
            s.value_text = [this] { return QString::fromStdString(name_); };
        } else {
            const int k = static_cast<int>(row.stop) - static_cast<int>(macro_key::Stop::kMode1);
            s.name = qtext(texts.repeat_modes[static_cast<std::size_t>(k)]);
            s.press = [this, r = row.rect] {
                click(r.top_left());
                flush();
            };
            s.checked = [this, k] { return mode_ == k; };
        }
        stops.push_back(std::move(s));
    }
}

void MacroKeyDialog::close_list() {
    if (list_ == nullptr) return;
    list_->hide();
    list_->deleteLater();
    list_ = nullptr;
}

void MacroKeyDialog::choose(int row) {
    if (list_ == nullptr || row < 0) return;
    name_ = list_->item(row)->text().toStdString();
    index_ = row;
    chosen_->setText(list_->item(row)->text());
    close_list();
    paint_frame();  // OK can act now
    flush();
}

void MacroKeyDialog::click(Point p) {
    if (chosen_ == nullptr) return;  // opened without its background
    if (list_ != nullptr && !macro_key::kList.contains(p) && !macro_key::kDropArea.contains(p))
        close_list();
    if (macro_key::kDropArea.contains(p)) {
        if (list_ != nullptr) {
            close_list();
        } else {
            open_list();
        }
        return;
    }
    for (int k = 0; k < 3; ++k) {
        if (macro_key::kTicks[k].contains(p)) {
            mode_ = k;
            paint_ticks();
            return;
        }
    }
}

void MacroKeyDialog::wheelEvent(QWheelEvent* event) {
    if (list_ == nullptr) return;
    QScrollBar* bar = list_->verticalScrollBar();
    bar->setValue(bar->value() + (event->angleDelta().y() <= 0 ? 3 : -3));
}

}  // namespace p330::gui
