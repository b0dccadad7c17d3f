#pragma once
// One place the keyboard can stop at in a painted window: what it is to a screen reader, where
// its focus mark goes and what Enter, Space and the arrow keys do there. A window lists its
// stops in reading order; the list is built anew whenever the window's layout changes.

#include <QAccessible>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "gui/layout/geometry.h"

class QWidget;

namespace p330::gui {

// A value the arrow keys step: min..max by step, or one of `choices` in order.
struct StopValue {
    int min = 0;
    int max = 0;
    int step = 1;
    std::vector<int> choices;  // empty: every step from min to max
    std::function<int()> get;
    std::function<void(int)> set;  // sets as a click would, the record and the picture
    QString unit;                  // shown after the number: " DPI", " Hz"

    // The allowed value nearest to v.
    int snapped(int v) const;
    // The value `steps` steps away from the current one, kept within the ends.
    int stepped(int steps) const;
    // A quarter of the range, in whole steps (at least one).
    int page_steps() const;
};

struct FocusStop {
    int id = 0;  // stable across rebuilds: the focus stays on it
    QAccessible::Role role = QAccessible::Button;
    QString name;
    layout::Rect rect;            // in the window's coordinates; empty while hidden
    QWidget* widget = nullptr;    // a real control that takes the focus itself
    std::function<void()> press;  // Enter, Space and the action "press"
    std::function<void()> open;   // Down on a box: opens its list
    std::optional<StopValue> value;
    std::function<QString()> value_text;  // what a box shows
    std::function<bool()> checked;        // check boxes, radio buttons, tabs
    std::function<bool()> expanded;       // headers
    std::function<void()> reveal;         // a hidden stop is brought into view
};

using FocusStops = std::vector<FocusStop>;

}  // namespace p330::gui
