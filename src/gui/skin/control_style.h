#pragma once
// The look of the small dialogs' real controls: white text on the dark grey they share.

#include <QColor>
#include <QFont>

class QWidget;

namespace p330::gui {

inline const QColor kControlGrey(0x28, 0x28, 0x28);

void style_white_on_grey(QWidget* control, const QFont& font);

}  // namespace p330::gui
