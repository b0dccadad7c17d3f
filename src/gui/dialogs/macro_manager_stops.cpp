// The macro manager without a pointer: its stops, one per row of its focus-order table
// (gui/layout/manager_layout.h), and the keys of its lists.
// Painted buttons and ticks are pressed by a click where the pointer would click.

#include <QLineEdit>
#include <QListWidget>

#include "core/lang/access_texts.h"
#include "gui/access/focus_ring.h"
#include "gui/access/list_keys.h"
#include "gui/access/synthetic_click.h"
#include "gui/access/table_stops.h"
#include "gui/dialogs/macro_manager_dialog.h"
#include "gui/layout/manager_layout.h"
#include "gui/skin/texts.h"

namespace p330::gui {

namespace mm = layout::macro_manager;

FocusStops MacroManagerDialog::focus_stops() {
    FocusStops stops;
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
    const AccessTexts& access = access_texts(language_);
    for (const auto& row : mm::kFocusOrder) {
        if (items_ == nullptr && row.stop < mm::Stop::kOkButton)
            continue;  // opened without its lists
        FocusStop s = table_stop(row, texts_, access);
        const auto painted = [&] { s.press = [this, r = row.rect] { click_painted(this, r); }; };
        switch (row.stop) {
            case mm::Stop::kMacros: s.widget = macros_; break;
            case mm::Stop::kItems: s.widget = items_; break;
            case mm::Stop::kLoopCount:
                if (!loop_->isEnabled()) continue;
                s.widget = loop_;
                break;
            case mm::Stop::kRecordButton:
                painted();
                if (recorder_.recording()) s.name = qtext(texts_.stop_recording);
                break;
            case mm::Stop::kDelays:
                painted();
                s.checked = [this] { return model_.record_delays; };
                break;
            case mm::Stop::kLoop:
                painted();
                s.checked = [this] { return model_.loop_option; };
                break;
            default: painted(); break;
        }
        stops.push_back(std::move(s));
    }
    return stops;
}

bool MacroManagerDialog::focusNextPrevChild(bool next) {
    // While recording, Tab is a key of the macro: the focus stays where it is.
    if (recorder_.recording()) return true;
    return SkinnedDialog::focusNextPrevChild(next);
}

}  // namespace p330::gui
