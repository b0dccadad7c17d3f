#pragma once
// The mouse in front and side view, and the eight numbered callouts of its buttons.

#include <QImage>
#include <QRect>

namespace skin {

QImage mouse_front();  // drawn at (335, 58) of the main window
QImage mouse_side();   // drawn at (362, 59)
// A callout of the given size; its badge sits at the outer end (left or right).
QImage callout(int number, QSize size, bool badge_on_left, bool over);

}  // namespace skin
