#include "gui/dialogs/profile_manager_panel.h"

#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <algorithm>

#include "core/lang/dialog_texts.h"
#include "core/lang/error_texts.h"
#include "gui/access/focus_ring.h"
#include "gui/layout/main_layout.h"
#include "gui/layout/manager_layout.h"
#include "gui/skin/context_menu.h"
#include "gui/skin/control_style.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;
namespace pm = layout::profile_manager;

namespace {

const QColor kGrey(40, 40, 40);

WindowFonts panel_fonts(Language language) {
    return single_font(dialog_font(language, QStringLiteral("Arial"), 14));
}

// A main INI that cannot be read gives an empty list that closing never writes back.
ProfileManagerModel load_or_empty(const std::filesystem::path& main_ini) {
    Result<ProfileManagerModel> model = ProfileManagerModel::load(main_ini);
    return model ? std::move(*model) : ProfileManagerModel();
}

}  // namespace

ProfileManagerPanel::ProfileManagerPanel(QWidget* window, const QString& skin_dir,
                                         TextColour title_colour, Language language,
                                         const std::filesystem::path& main_ini)
    : QWidget(window),
      language_(language),
      canvas_(skin_dir, title_colour, panel_fonts(language)),
      model_(load_or_empty(main_ini)) {
    focus_ = new FocusRing(
        this, [this] { return focus_stops(); }, QColor(250, 250, 250));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    move(pm::kOrigin.x, pm::kOrigin.y);
    const QImage background = load_skin_image(canvas_.path(QString::fromLatin1(pm::kBackground)));
    const ProfileManagerTexts& texts = profile_manager_texts(language);
    if (background.isNull()) {
        // Opens empty, without a list; its close button and New area still work.
        skin_messages().background_failed(
            this, QStringLiteral("Config Dialog Load background image failed!!!"));
        QImage plain(pm::kWindow.width(), pm::kWindow.height(),
                     QImage::Format_ARGB32_Premultiplied);
        plain.fill(kGrey);
        canvas_.reset(plain);
        resize(plain.size());
        return;
    }
    canvas_.reset(background);
    resize(canvas_.size());
    canvas_.label(pm::kTitle, qtext(texts.title), 0);
    setAccessibleName(qtext(texts.title));  // the painted title is all a reader would have
    canvas_.draw(pm::kNewIconImage, pm::kNewIcon);
    {
        QPainter p(&canvas_.image());
        p.setFont(canvas_.fonts().normal);
        p.setPen(Qt::white);
        p.drawText(to_qrect(pm::kNewText), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   qtext(texts.new_button));
    }
    paint_close(false);

    list_ = new QListWidget(this);
    list_->setAccessibleName(qtext(texts.title));
    list_->setGeometry(to_qrect(pm::kList));
    list_->setFrameShape(QFrame::NoFrame);
    list_->setFont(canvas_.fonts().normal);
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Base, QColor(40, 40, 40, pm::kAlpha));
    palette.setColor(QPalette::Text, QColor(250, 250, 250));
    list_->setPalette(palette);
    style_dark_scroll_bars(list_);
    for (const std::string& name : model_.names()) list_->addItem(QString::fromStdString(name));
    if (model_.selected() >= 0) list_->setCurrentRow(model_.selected());
    on_right_click(list_->viewport(), [this](const QPoint& at) {
        // The menu acts on the selection: the entry under the pointer is selected first, as a
        // click on it would be (Edit then renames it). Below the entries the selection stays.
        if (QListWidgetItem* item = list_->itemAt(list_->viewport()->mapFromGlobal(at))) {
            list_->setCurrentItem(item);
            remembered_ = list_->row(item);
        }
        show_menu(at);
    });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { model_.select(row); });
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { clicked(list_->row(item)); });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { clicked(list_->row(item)); });
}

int ProfileManagerPanel::selected() const {
    if (list_ == nullptr) return -1;
    const QList<QListWidgetItem*> items = list_->selectedItems();
    return items.isEmpty() ? -1 : list_->row(items.front());
}

void ProfileManagerPanel::paint_close(bool over) {
    canvas_.draw(over ? pm::kCloseOver : pm::kCloseNormal, pm::kClose.top_left());
    close_hover_ = over;
    update(to_qrect(pm::kClose));
}

void ProfileManagerPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setOpacity(pm::kAlpha / 255.0);
    canvas_.paint(painter, event->rect());
    painter.setOpacity(1);
    focus_->paint_mark(painter);
}

void ProfileManagerPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Point p{static_cast<int>(event->position().x()), static_cast<int>(event->position().y())};
    if (pm::kClose.contains(p)) {
        close_panel();
    } else if (pm::kNew.contains(p)) {
        new_profile();
    }
}

void ProfileManagerPanel::mouseMoveEvent(QMouseEvent* event) {
    const Point p{static_cast<int>(event->position().x()), static_cast<int>(event->position().y())};
    if (pm::kClose.contains(p) != close_hover_) paint_close(!close_hover_);
}

void ProfileManagerPanel::leaveEvent(QEvent*) {
    if (close_hover_) paint_close(false);
}

void ProfileManagerPanel::new_profile() {
    const Status added = model_.add_new(language_);
    if (!added) {
        const ProfileManagerTexts& texts = profile_manager_texts(language_);
        QMessageBox::warning(this, qtext(texts.warning_caption), qtext(texts.warning_text));
        return;
    }
    if (list_ == nullptr) return;
    list_->addItem(QString::fromStdString(model_.names().back()));
    list_->setCurrentRow(list_->count() - 1);
}

void ProfileManagerPanel::clicked(int row) {
    if (row < 0 || (editor_ != nullptr && editor_->is_open())) return;
    rename_on_repeat(row);
}

void ProfileManagerPanel::rename_on_repeat(int row) {
    editor_ = ListItemEditor::open_on_repeat(list_, row, remembered_,
                                             ListItemEditor::Mode::kProfileName, rename_commit());
}

ListItemEditor::Commit ProfileManagerPanel::rename_commit() {
    return [this](ListItemEditor::Mode, int r, const QString& text) {
        const Status renamed = model_.rename(r, text.toStdString());
        if (!renamed) {  // refused, never changed quietly
            QMessageBox::warning(this, qtext(profile_manager_texts(language_).warning_caption),
                                 qtext(renamed.message()));
            return;
        }
        list_->item(r)->setText(text);
        list_->setCurrentRow(r);
    };
}

void ProfileManagerPanel::command(Command command) {
    const int row = selected();
    if (row < 0) return;  // nothing selected: nothing happens
    switch (command) {
        case Command::kDelete:
            if (model_.remove(row)) {
                const QSignalBlocker quiet(list_);
                delete list_->takeItem(row);
                list_->clearSelection();
                list_->setCurrentRow(-1);
                // Nothing selected, but the keyboard stays where the entry was.
                if (const int at = std::min(row, list_->count() - 1); at >= 0)
                    list_->selectionModel()->setCurrentIndex(list_->model()->index(at, 0),
                                                             QItemSelectionModel::NoUpdate);
            }
            return;
        case Command::kEdit: rename_on_repeat(row); return;
        case Command::kCopy:
            if (const Result<bool> copied = model_.copy(row, language_); !copied) {
                QMessageBox::warning(this, qtext(profile_manager_texts(language_).warning_caption),
                                     qtext(copied.error().message));
            } else if (*copied) {
                list_->addItem(QString::fromStdString(model_.names().back()));
            }
            return;
        case Command::kLoad:
            if (on_load) on_load(row);
            return;
        case Command::kSave:
            if (on_save) on_save(row);
            return;
    }
}

void ProfileManagerPanel::show_menu(const QPoint& global) {
    const ProfileManagerTexts& texts = profile_manager_texts(language_);
    // In the order of Command.
    const int chosen = exec_context_menu(
        this, global,
        {texts.menu_delete, texts.menu_edit, texts.menu_copy, texts.menu_load, texts.menu_save});
    if (chosen >= 0) command(static_cast<Command>(chosen));
}

void ProfileManagerPanel::close_panel() {
    if (closed_) return;
    closed_ = true;
    if (editor_ != nullptr) editor_->abandon();
    if (settle_current) {
        const int chosen = model_.selected() >= 0 ? model_.selected() : 0;
        if (const int kept = settle_current(chosen); kept != chosen) model_.select(kept);
    }
    // The lock is held for the write only: the owner reads the chosen profile under it afterwards.
    const Status saved = model_.save_in_turn(language_);
    if (!saved) {
        QMessageBox::warning(this, qtext(profile_manager_texts(language_).warning_caption),
                             qtext(error_text(saved.error(), language_)));
    }
    const int current = model_.selected() >= 0 ? model_.selected() : 0;
    if (hasFocus() || isAncestorOf(focusWidget())) parentWidget()->setFocus(Qt::OtherFocusReason);
    hide();
    if (on_closed) on_closed(current);
    deleteLater();
}

}  // namespace p330::gui
