#pragma once
// A left click at a point of a painted widget, delivered as the pointer's would be: the
// keyboard and screen readers press painted buttons this way so that they act exactly as a
// click does.

#include "gui/layout/geometry.h"

class QWidget;

namespace p330::gui {

void click_painted(QWidget* widget, layout::Point p);
// The centre of r, clicked.
void click_painted(QWidget* widget, const layout::Rect& r);

}  // namespace p330::gui
