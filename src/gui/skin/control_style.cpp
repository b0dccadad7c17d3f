#include "gui/skin/control_style.h"

#include <QAbstractScrollArea>
#include <QPalette>
#include <QScrollBar>
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

void style_dark_scroll_bars(QAbstractScrollArea* area) {
    static const QString kDarkBar = QStringLiteral(
        "QScrollBar { background: #22252B; border: none; }"
        "QScrollBar:vertical { width: 12px; }"
        "QScrollBar:horizontal { height: 12px; }"
        "QScrollBar::handle { background: #5A606B; border-radius: 4px; margin: 2px; }"
        "QScrollBar::handle:vertical { min-height: 20px; }"
        "QScrollBar::handle:horizontal { min-width: 20px; }"
        "QScrollBar::handle:hover { background: #7A808C; }"
        "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }");
    area->verticalScrollBar()->setStyleSheet(kDarkBar);
    area->horizontalScrollBar()->setStyleSheet(kDarkBar);
}

}  // namespace p330::gui
