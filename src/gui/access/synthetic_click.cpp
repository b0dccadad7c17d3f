#include "gui/access/synthetic_click.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace p330::gui {

void click_painted(QWidget* widget, layout::Point p) {
    const QPointF local(p.x, p.y);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

void click_painted(QWidget* widget, const layout::Rect& r) {
    click_painted(widget, layout::Point{r.left + r.width() / 2, r.top + r.height() / 2});
}

}  // namespace p330::gui
