#include "gui/skin/control_style.h"

#include <QPalette>
#include <QWidget>

namespace p330::gui {

void style_white_on_grey(QWidget* control, const QFont& font) {
    QPalette palette = control->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
        palette.setColor(role, kControlGrey);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        palette.setColor(role, Qt::white);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
    control->setFont(font);
}

}  // namespace p330::gui
