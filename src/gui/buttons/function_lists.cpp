#include "gui/buttons/function_lists.h"

#include <QListWidget>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "core/buttons/button_assignment.h"
#include "gui/access/list_keys.h"
#include "gui/dialogs/key_capture_dialogs.h"
#include "gui/dialogs/macro_key_dialog.h"
#include "gui/layout/main_layout.h"
#include "gui/skin/skin_canvas.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

namespace {

void add_entry(QListWidget& list, const QString& text) {
    auto* item = new QListWidgetItem(text, &list);
    item->setSizeHint(QSize(0, kListEntryHeight));
}

// An entry selected other than by the pointer or the keys, which select the entry they make
// current (a screen reader's Toggle on it selects it alone), or the current entry unselected
// (Toggle on the lit entry): a click on that entry, run once the caller has its answer.
void click_on_selection(QListWidget* list, QObject* owner, std::function<void(int)> click) {
    QObject::connect(
        list->selectionModel(), &QItemSelectionModel::selectionChanged, owner,
        [list, click = std::move(click)](const QItemSelection& on, const QItemSelection& off) {
            if (!list->isVisible()) return;
            int row = -1;
            if (!on.indexes().isEmpty()) {
                if (on.indexes().first().row() != list->currentRow())
                    row = on.indexes().first().row();
            } else if (!off.indexes().isEmpty() &&
                       off.indexes().first().row() == list->currentRow()) {
                row = list->currentRow();
            }
            if (row >= 0) QTimer::singleShot(0, list, [click, row] { click(row); });
        });
}

// Wider where an entry would be cut: the places were measured for shorter texts.
void fit_width(QListWidget& list) {
    int widest = 0;
    for (int i = 0; i < list.count(); ++i)
        widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.item(i)->text()));
    const bool scrolls =
        list.count() * list.sizeHintForRow(0) > list.height() - 2 * list.frameWidth();
    const int bar = scrolls ? list.verticalScrollBar()->sizeHint().width() : 0;
    const int needed = widest + kListEntryPadding + 2 * list.frameWidth() + bar;
    if (needed > list.width()) list.resize(needed, list.height());
}

}  // namespace

FunctionLists::FunctionLists(FunctionListContext context) : ctx_(std::move(context)) {
    warn = [this](const QString& caption, const QString& text) {
        QMessageBox::warning(ctx_.window, caption, text);
    };
}

FunctionLists::~FunctionLists() {
    close_all();
}

QListWidget* FunctionLists::make_list(const Rect& r) {
    auto* list = new QListWidget(ctx_.window);
    list->setGeometry(to_qrect(r));
    list->setFont(ctx_.font);
    list->setMouseTracking(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, QColor(0x1B, 0x1E, 0x25));
    palette.setColor(QPalette::Text, QColor(ctx_.colour.red, ctx_.colour.green, ctx_.colour.blue));
    list->setPalette(palette);
    return list;
}

void FunctionLists::toggle(int button) {
    if (open_ == button) {
        close_all();
        return;
    }
    close_all();
    if (is_last_left_key(ctx_.record, button)) {
        warn(QStringLiteral("Warning"), qtext(ui_texts(ctx_.language).left_key_required));
        return;
    }
    list_ = make_list(function_list_area(button));
    list_->setAccessibleName(qtext(ui_texts(ctx_.language).button_names[button]));
    for (const CatalogueEntry& entry : kFunctionCatalogue)
        add_entry(*list_, qtext(ui_texts(ctx_.language), entry.name));
    connect(list_, &QListWidget::itemEntered, this,
            [this](QListWidgetItem* item) { hover_entry(list_->row(item)); });
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(list_->row(item)); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { hover_entry(row); });
    click_on_selection(list_, this, [this](int row) {
        hover_entry(row);
        choose(row);
    });
    add_list_keys(list_, {[this](int row) { enter_entry(row); },
                          [this] {
                              return_focus();
                              close_all();
                          },
                          [this] { enter_sub_list(); },
                          {}});
    list_->show();
    open_ = button;
    if (highlight) highlight(button + 1);
}

void FunctionLists::hover_entry(int row) {
    if (list_ == nullptr || row < 0 || row >= list_->count()) return;
    list_->setCurrentRow(row);
    const CatalogueEntry& entry = kFunctionCatalogue[static_cast<std::size_t>(row)];
    if (entry.effect != ChoiceEffect::kSubList) {
        close_sub_list();
        return;
    }
    if (sub_list_ != nullptr && sub_id_ == entry.sub_list) return;
    close_sub_list();
    open_sub_list(entry.sub_list, list_->item(row));
}

void FunctionLists::focus_list() {
    if (list_ == nullptr) return;
    // The keyboard starts on the button's function (the entries are in the kinds' order).
    const int kind = ctx_.record.button_kind[open_];
    if (list_->currentRow() < 0) list_->setCurrentRow(kind < list_->count() ? kind : 0);
    list_->setFocus(Qt::OtherFocusReason);
}

void FunctionLists::enter_entry(int row) {
    if (row < 0 || row >= static_cast<int>(kFunctionCatalogue.size())) return;
    if (kFunctionCatalogue[static_cast<std::size_t>(row)].effect == ChoiceEffect::kSubList) {
        enter_sub_list();
        return;
    }
    return_focus();
    choose(row);
}

void FunctionLists::enter_sub_list() {
    if (sub_list_ == nullptr) return;
    if (sub_list_->currentRow() < 0) sub_list_->setCurrentRow(0);
    sub_list_->setFocus(Qt::OtherFocusReason);
}

void FunctionLists::return_focus() {
    if (ctx_.window != nullptr) ctx_.window->setFocus(Qt::OtherFocusReason);
}

void FunctionLists::open_sub_list(SubListId id, QListWidgetItem* anchor) {
    const QRect l = list_->geometry();
    const QRect at = list_->visualItemRect(anchor).translated(list_->viewport()->pos());
    const SubListPlace& place = sub_list_place(id);
    QRect r;
    if (place.upward) {
        const int bottom = l.top() + at.bottom() + 1;
        r = QRect(l.right() + 1, bottom - place.height, place.width, place.height);
    } else {
        r = QRect(l.left() + at.right() + 1, l.top() + at.top(), place.width, place.height);
    }
    sub_list_ = make_list({r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    sub_id_ = id;
    for (const SubListItem& it : sub_list_items(id))
        add_entry(*sub_list_, qtext(it.in(ctx_.language)));
    fit_width(*sub_list_);
    connect(sub_list_, &QListWidget::itemEntered, this,
            [this](QListWidgetItem* item) { sub_list_->setCurrentItem(item); });
    connect(sub_list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose_sub(sub_list_->row(item)); });
    click_on_selection(sub_list_, this, [this](int row) { choose_sub(row); });
    add_list_keys(sub_list_, {[this](int row) {
                                  return_focus();
                                  choose_sub(row);
                              },
                              [this] {
                                  return_focus();
                                  close_all();
                              },
                              {},
                              [this] {
                                  if (list_ != nullptr) list_->setFocus();
                              }});
    sub_list_->show();
    sub_list_->raise();
}

void FunctionLists::close_sub_list() {
    if (sub_list_ == nullptr) return;
    sub_list_->selectionModel()->disconnect(this);
    sub_list_->hide();
    sub_list_->deleteLater();  // it may be the sender of the signal being handled
    sub_list_ = nullptr;
}

void FunctionLists::close_list() {
    if (list_ == nullptr) return;
    list_->selectionModel()->disconnect(this);
    list_->hide();
    list_->deleteLater();  // it may be the sender of the signal being handled
    list_ = nullptr;
}

void FunctionLists::close_all() {
    close_sub_list();
    close_list();
    if (open_ >= 0 && repaint_box) repaint_box(open_, false);
    open_ = -1;
}

void FunctionLists::close_outside(Point p) {
    if (open_ < 0) return;
    if (dropdown_box(open_).contains(p) || function_list_area(open_).contains(p)) return;
    close_all();
}

void FunctionLists::choose(int row) {
    if (open_ < 0 || row < 0 || row >= static_cast<int>(kFunctionCatalogue.size())) return;
    const CatalogueEntry& entry = kFunctionCatalogue[static_cast<std::size_t>(row)];
    if (entry.effect == ChoiceEffect::kSubList) return;  // an anchor commits nothing
    const int button = open_;
    // Out of sight before a dialog opens over the window; deleted once the click that chose
    // has been handled, as the list sent it.
    close_sub_list();
    if (list_ != nullptr) list_->hide();
    ButtonChoice choice;
    choice.kind = entry.kind;
    bool accepted = true;
    switch (entry.effect) {
        case ChoiceEffect::kSingleKeyDialog: {
            SingleKeyDialog dialog(ctx_.window, ctx_.skin_dir, ctx_.colour, ctx_.language);
            accepted = dialog.exec() == QDialog::Accepted;
            choice.key = dialog.key_name();
            break;
        }
        case ChoiceEffect::kComboKeyDialog: {
            ComboKeyDialog dialog(ctx_.window, ctx_.skin_dir, ctx_.colour, ctx_.language);
            accepted = dialog.exec() == QDialog::Accepted;
            choice.modifier = dialog.modifier_name();
            choice.key = dialog.first_key_name();
            choice.key2 = dialog.second_key_name();
            break;
        }
        case ChoiceEffect::kMacroDialog: {
            MacroKeyDialog dialog(ctx_.window, ctx_.skin_dir, ctx_.colour, ctx_.language,
                                  ctx_.record_ini);
            accepted = dialog.exec() == QDialog::Accepted;
            choice.macro_index = dialog.macro_index();
            choice.macro_mode = dialog.repeat_mode();
            choice.macro_name = dialog.macro_name();
            break;
        }
        default: break;
    }
    if (accepted)
        ctx_.labels[button] = commit_button_choice(ctx_.record, button, choice, ctx_.language);
    close_list();
    open_ = -1;
    if (repaint_box) repaint_box(button, true);
}

void FunctionLists::choose_sub(int row) {
    if (open_ < 0 || row < 0) return;
    const int button = open_;
    ButtonChoice choice;
    choice.kind = sub_list_kind(sub_id_);
    choice.position = row;
    ctx_.labels[button] = commit_button_choice(ctx_.record, button, choice, ctx_.language);
    open_ = -1;
    close_all();
    if (repaint_box) repaint_box(button, false);
}

}  // namespace p330::gui
