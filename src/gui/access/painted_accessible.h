#pragma once
// What a screen reader sees of a painted window: the window, and each of its focus stops as
// an element with a role, a name, a value and states, that a screen reader can press, toggle
// or set as the pointer would.

#include <QAccessibleWidget>

namespace p330::gui {

class FocusRing;

// A widget with this property set is left out of the tree: it only shows what a painted stop
// says (a colour swatch beside its button).
inline constexpr const char* kDecoration = "p330-decoration";

// The element of one stop; the ring registers it and deletes it with itself.
QAccessibleInterface* make_stop_accessible(FocusRing* ring, int id);

// Says `text` to a screen reader as an alert of `window` (the mouse's balloons).
void announce(QWidget* window, const QString& text);

// Makes every widget that has a FocusRing a painted window to screen readers. Once per
// program, before the first window shows.
void install_painted_accessibility();

}  // namespace p330::gui
