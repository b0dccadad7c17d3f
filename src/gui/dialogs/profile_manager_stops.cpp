// The profile manager without a pointer: the list (arrows move, Enter selects, F2 renames,
// Delete deletes, the Menu key or Shift+F10 opens the entry's menu), New and the close button.

#include <QKeyEvent>
#include <QListWidget>

#include "core/lang/access_texts.h"
#include "core/lang/dialog_texts.h"
#include "gui/access/focus_ring.h"
#include "gui/access/list_keys.h"
#include "gui/access/synthetic_click.h"
#include "gui/dialogs/profile_manager_panel.h"
#include "gui/layout/manager_layout.h"
#include "gui/skin/texts.h"

namespace p330::gui {

namespace pm = layout::profile_manager;

FocusStops ProfileManagerPanel::focus_stops() {
    FocusStops stops;
    const ProfileManagerTexts& texts = profile_manager_texts(language_);
    if (list_ != nullptr) {
        add_list_keys_once();
        FocusStop list;
        list.id = 1;
        list.role = QAccessible::List;
        list.name = qtext(texts.title);
        list.rect = pm::kList;
        list.widget = list_;
        stops.push_back(std::move(list));
    }
    FocusStop add;
    add.id = 2;
    add.name = qtext(texts.new_button);
    add.rect = pm::kNew;
    add.press = [this] { click_painted(this, pm::kNew); };
    stops.push_back(add);
    FocusStop close = add;
    close.id = 3;
    close.name = qtext(access_texts(language_).close);
    close.rect = pm::kClose;
    close.press = [this] { click_painted(this, pm::kClose); };
    stops.push_back(std::move(close));
    return stops;
}

void ProfileManagerPanel::add_list_keys_once() {
    if (!list_->property("p330-keys").isNull()) return;
    list_->setProperty("p330-keys", true);
    ListKeys keys;
    keys.popup = false;
    keys.enter = [this](int row) {
        if (row < 0) return;
        list_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        model_.select(row);
    };
    keys.rename = [this] {
        const int row = selected();
        if (row < 0 || (editor_ != nullptr && editor_->is_open())) return;
        editor_ =
            ListItemEditor::open(list_, row, ListItemEditor::Mode::kProfileName, rename_commit());
    };
    keys.remove = [this] { command(Command::kDelete); };
    keys.menu = [this](const QPoint& at) { show_menu(at); };
    add_list_keys(list_, keys);
}

void ProfileManagerPanel::keyPressEvent(QKeyEvent* event) {
    focus_->refresh();
    if (focus_->key(event)) return;
    if (event->key() == Qt::Key_Escape) {
        close_panel();  // as the close button
        return;
    }
    QWidget::keyPressEvent(event);
}

void ProfileManagerPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    focus_->refresh();
    if (focus_->current() == nullptr) focus_->step(true);
}

bool ProfileManagerPanel::focusNextPrevChild(bool) {
    // Tab reaches the ring first; this is Qt moving the focus off a control that went away.
    return focus_->settle();
}

}  // namespace p330::gui
