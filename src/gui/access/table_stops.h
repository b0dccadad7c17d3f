#pragma once
// Focus stops from a window's focus-order table (gui/layout): each row gives a stop's id, its
// role to a screen reader, its rectangle and its name; what the stop does is the window's.

#include <QAccessible>
#include <QString>

#include "gui/access/focus_stop.h"
#include "gui/layout/focus_role.h"

namespace p330::gui {

inline QAccessible::Role accessible_role(layout::StopRole role) {
    using layout::StopRole;
    switch (role) {
        case StopRole::kButton: return QAccessible::Button;
        case StopRole::kList: return QAccessible::List;
        case StopRole::kCheckBox: return QAccessible::CheckBox;
        case StopRole::kRadioButton: return QAccessible::RadioButton;
        case StopRole::kComboBox: return QAccessible::ComboBox;
        case StopRole::kEditableText: return QAccessible::EditableText;
        case StopRole::kSpinBox: return QAccessible::SpinBox;
        case StopRole::kSlider: return QAccessible::Slider;
        case StopRole::kDial: return QAccessible::Dial;
        case StopRole::kPageTab: return QAccessible::PageTab;
        case StopRole::kStaticText: return QAccessible::StaticText;
    }
    return QAccessible::Button;
}

// The row's stop, named by the dialog's texts or the screen reader's; `ids_from` moves the ids
// of a table that shares its window with another (the frame of the small dialogs).
template <typename Stop, typename Texts>
FocusStop table_stop(const layout::DialogStop<Stop, Texts>& row, const Texts& texts,
                     const AccessTexts& access, int ids_from = 0) {
    FocusStop s;
    s.id = ids_from + layout::dialog_stop_id(row.stop);
    s.role = accessible_role(row.role);
    s.rect = row.rect;
    const std::string_view name = row.text != nullptr     ? texts.*row.text
                                  : row.access != nullptr ? access.*row.access
                                                          : std::string_view();
    s.name = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    return s;
}

}  // namespace p330::gui
