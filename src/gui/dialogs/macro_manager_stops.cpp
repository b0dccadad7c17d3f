// The macro manager without a pointer: its stops in reading order and the keys of its lists.
// Painted buttons and ticks are pressed by a click where the pointer would click.

#include <QLineEdit>
#include <QListWidget>

#include "core/lang/access_texts.h"
#include "gui/access/focus_ring.h"
#include "gui/access/list_keys.h"
#include "gui/access/synthetic_click.h"
#include "gui/dialogs/macro_manager_dialog.h"
#include "gui/layout/manager_layout.h"
#include "gui/skin/texts.h"

namespace p330::gui {

namespace mm = layout::macro_manager;

namespace {

FocusStop painted(int id, QAccessible::Role role, const layout::Rect& r, QString name,
                  std::function<void()> press) {
    FocusStop s;
    s.id = id;
    s.role = role;
    s.name = std::move(name);
    s.rect = r;
    s.press = std::move(press);
    return s;
}

FocusStop control(int id, QAccessible::Role role, const layout::Rect& r, QString name,
                  QWidget* widget) {
    FocusStop s = painted(id, role, r, std::move(name), nullptr);
    s.widget = widget;
    return s;
}

}  // namespace

FocusStops MacroManagerDialog::focus_stops() {
    FocusStops stops;
    const auto click = [this](const layout::Rect& r) {
        return [this, r] { click_painted(this, r); };
    };
    if (items_ != nullptr) {
        // Once: the lists' keys stay with them.
        if (macros_->property("p330-keys").isNull()) {
            macros_->setProperty("p330-keys", true);
            ListKeys macro_keys;
            macro_keys.popup = false;
            macro_keys.rename = [this] {
                const int row = macros_->currentRow();
                if (recorder_.recording() || row < 0) return;
                if (editor_ != nullptr && editor_->is_open()) return;
                editor_ = ListItemEditor::open(macros_, row, ListItemEditor::Mode::kMacroName,
                                               editor_commit());
            };
            macro_keys.remove = [this] {
                if (!recorder_.recording()) delete_macro();
            };
            add_list_keys(macros_, macro_keys);
            ListKeys item_keys;
            item_keys.popup = false;
            item_keys.rename = [this] {
                const int row = items_->currentRow();
                if (recorder_.recording() || row < 0 || (editor_ != nullptr && editor_->is_open()))
                    return;
                if (!items_->item(row)->text().contains(QStringLiteral(" ms"))) return;
                editor_ = ListItemEditor::open(items_, row, ListItemEditor::Mode::kDelay,
                                               editor_commit());
            };
            item_keys.remove = [this] {
                if (!recorder_.recording()) item_command(ItemCommand::kDelete);
            };
            item_keys.menu = [this](const QPoint& at) {
                if (!recorder_.recording()) show_item_menu(at);
            };
            add_list_keys(items_, item_keys);
        }
        stops.push_back(control(1, QAccessible::List, mm::kMacroList,
                                qtext(texts_.macro_list_heading), macros_));
        stops.push_back(
            painted(2, QAccessible::Button, mm::kNew, qtext(texts_.new_button), click(mm::kNew)));
        stops.push_back(painted(3, QAccessible::Button, mm::kDelete, qtext(texts_.delete_button),
                                click(mm::kDelete)));
        stops.push_back(
            control(4, QAccessible::List, mm::kItemList, qtext(texts_.item_list_heading), items_));
        stops.push_back(
            painted(5, QAccessible::Button, mm::kRecord,
                    qtext(recorder_.recording() ? texts_.stop_recording : texts_.start_recording),
                    click(mm::kRecord)));
        FocusStop delays = painted(6, QAccessible::CheckBox, mm::kDelaysTick,
                                   qtext(texts_.record_delays_option), click(mm::kDelaysTick));
        delays.checked = [this] { return model_.record_delays; };
        stops.push_back(std::move(delays));
        FocusStop loop = painted(7, QAccessible::CheckBox, mm::kLoopTick, qtext(texts_.loop_option),
                                 click(mm::kLoopTick));
        loop.checked = [this] { return model_.loop_option; };
        stops.push_back(std::move(loop));
        if (loop_->isEnabled())
            stops.push_back(control(8, QAccessible::EditableText, mm::kLoopBox,
                                    qtext(texts_.loop_option), loop_));
    }
    stops.push_back(painted(9, QAccessible::Button, mm::kOk, qtext(texts_.ok), click(mm::kOk)));
    stops.push_back(
        painted(10, QAccessible::Button, mm::kCancel, qtext(texts_.cancel), click(mm::kCancel)));
    stops.push_back(painted(11, QAccessible::Button, mm::kClose,
                            qtext(access_texts(language_).close), click(mm::kClose)));
    return stops;
}

bool MacroManagerDialog::focusNextPrevChild(bool next) {
    // While recording, Tab is a key of the macro: the focus stays where it is.
    if (recorder_.recording()) return true;
    return SkinnedDialog::focusNextPrevChild(next);
}

}  // namespace p330::gui
