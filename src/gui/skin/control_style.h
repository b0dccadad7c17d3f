#pragma once
// The look of the small dialogs' real controls: white text on the dark grey they share.

#include <QColor>
#include <QFont>

class QAbstractScrollArea;
class QWidget;

namespace p330::gui {

inline const QColor kControlGrey(0x28, 0x28, 0x28);

void style_white_on_grey(QWidget* control, const QFont& font);
// Scroll bars as dark as the lists they scroll, instead of the desktop style's light ones.
void style_dark_scroll_bars(QAbstractScrollArea* area);

}  // namespace p330::gui
