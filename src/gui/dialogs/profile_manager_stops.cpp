// The profile manager without a pointer: the stops of its focus-order table
// (gui/layout/manager_layout.h): the list (arrows move, Enter selects, F2 renames, Delete
// deletes, the Menu key or Shift+F10 opens the entry's menu), New and the close button.

#include <QKeyEvent>
#include <QListWidget>

#include "core/lang/access_texts.h"
#include "core/lang/dialog_texts.h"
#include "gui/access/focus_ring.h"
#include "gui/access/list_keys.h"
#include "gui/access/synthetic_click.h"
#include "gui/access/table_stops.h"
#include "gui/dialogs/profile_manager_panel.h"
#include "gui/layout/manager_layout.h"
#include "gui/skin/texts.h"

namespace p330::gui {

namespace pm = layout::profile_manager;

FocusStops ProfileManagerPanel::focus_stops() {
    FocusStops stops;
    for (const auto& row : pm::kFocusOrder) {
        FocusStop s = table_stop(row, profile_manager_texts(language_), access_texts(language_));
        if (row.stop == pm::Stop::kProfiles) {
            if (list_ == nullptr) continue;
            add_list_keys_once();
            s.widget = list_;
        } else {
            s.press = [this, r = row.rect] { click_painted(this, r); };
        }
        stops.push_back(std::move(s));
    }
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
