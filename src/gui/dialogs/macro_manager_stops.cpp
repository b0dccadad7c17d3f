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

// The dialog's stops in reading order: Tab walks this table, and a stop's id is its row.
enum class Stop {
    kMacroList,
    kNew,
    kDelete,
    kItemList,
    kRecord,
    kDelays,
    kLoop,
    kLoopBox,
    kOk,
    kCancel,
    kClose
};
struct StopPlace {
    Stop stop;
    QAccessible::Role role;
    layout::Rect rect;
};
constexpr StopPlace kStopOrder[] = {
    {Stop::kMacroList, QAccessible::List, mm::kMacroList},
    {Stop::kNew, QAccessible::Button, mm::kNew},
    {Stop::kDelete, QAccessible::Button, mm::kDelete},
    {Stop::kItemList, QAccessible::List, mm::kItemList},
    {Stop::kRecord, QAccessible::Button, mm::kRecord},
    {Stop::kDelays, QAccessible::CheckBox, mm::kDelaysTick},
    {Stop::kLoop, QAccessible::CheckBox, mm::kLoopTick},
    {Stop::kLoopBox, QAccessible::EditableText, mm::kLoopBox},
    {Stop::kOk, QAccessible::Button, mm::kOk},
    {Stop::kCancel, QAccessible::Button, mm::kCancel},
    {Stop::kClose, QAccessible::Button, mm::kClose},
};

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
    }
    for (const StopPlace& place : kStopOrder) {
        if (items_ == nullptr && place.stop < Stop::kOk) continue;  // opened without its lists
        const int id = static_cast<int>(place.stop) + 1;            // stable: the table's own rows
        const auto button = [&](std::string_view text) {
            return painted(id, place.role, place.rect, qtext(text), click(place.rect));
        };
        switch (place.stop) {
            case Stop::kMacroList:
                stops.push_back(
                    control(id, place.role, place.rect, qtext(texts_.macro_list_heading), macros_));
                break;
            case Stop::kNew: stops.push_back(button(texts_.new_button)); break;
            case Stop::kDelete: stops.push_back(button(texts_.delete_button)); break;
            case Stop::kItemList:
                stops.push_back(
                    control(id, place.role, place.rect, qtext(texts_.item_list_heading), items_));
                break;
            case Stop::kRecord:
                stops.push_back(
                    button(recorder_.recording() ? texts_.stop_recording : texts_.start_recording));
                break;
            case Stop::kDelays: {
                FocusStop delays = button(texts_.record_delays_option);
                delays.checked = [this] { return model_.record_delays; };
                stops.push_back(std::move(delays));
                break;
            }
            case Stop::kLoop: {
                FocusStop loop = button(texts_.loop_option);
                loop.checked = [this] { return model_.loop_option; };
                stops.push_back(std::move(loop));
                break;
            }
            case Stop::kLoopBox:
                if (loop_->isEnabled())
                    stops.push_back(
                        control(id, place.role, place.rect, qtext(texts_.loop_option), loop_));
                break;
            case Stop::kOk: stops.push_back(button(texts_.ok)); break;
            case Stop::kCancel: stops.push_back(button(texts_.cancel)); break;
            case Stop::kClose: stops.push_back(button(access_texts(language_).close)); break;
        }
    }
    return stops;
}

bool MacroManagerDialog::focusNextPrevChild(bool next) {
    // While recording, Tab is a key of the macro: the focus stays where it is.
    if (recorder_.recording()) return true;
    return SkinnedDialog::focusNextPrevChild(next);
}

}  // namespace p330::gui
