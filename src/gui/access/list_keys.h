#pragma once
// The keys of the skinned lists. Pop-up lists (a button's functions and their sub-lists, the
// modifiers, the macros): the arrows move as in any list, Enter commits the current entry,
// Esc closes, Right enters a sub-list and Left leaves it, Tab stays inside. Lists of a
// dialog (profiles, macro items): Enter, F2 renames, Delete deletes, the Menu key or
// Shift+F10 opens the entry's context menu; Tab walks on.

#include <QPoint>
#include <functional>

class QAbstractItemView;
class QWidget;

namespace p330::gui {

struct ListKeys {
    std::function<void(int row)> enter = {};
    std::function<void()> escape = {};
    std::function<void()> right = {};                     // optional
    std::function<void()> left = {};                      // optional
    std::function<void()> rename = {};                    // F2; optional
    std::function<void()> remove = {};                    // Delete; optional
    std::function<void(const QPoint& global)> menu = {};  // Menu, Shift+F10; optional
    bool popup = true;                                    // a pop-up keeps Tab inside and takes Esc
};

// The keys act while `list` exists; the handler is the list's child.
void add_list_keys(QAbstractItemView* list, ListKeys keys);

// A dialog's pop-up list taken over by the keyboard: Enter chooses, Esc closes, and either
// gives the focus back to `owner`; the list gets the focus on its current row (or the first).
void focus_popup_list(QAbstractItemView* list, QWidget* owner, std::function<void(int row)> choose,
                      std::function<void()> close);

}  // namespace p330::gui
