#include "gui/skin/context_menu.h"

#include <QMenu>
#include <QMouseEvent>

#include "gui/skin/texts.h"

namespace p330::gui {

namespace {

class RightClickFilter : public QObject {
  public:
    RightClickFilter(QWidget* viewport, std::function<void(const QPoint&)> show)
        : QObject(viewport), show_(std::move(show)) {
        viewport->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton) return false;
        if (type == QEvent::MouseButtonRelease) show_(mouse->globalPosition().toPoint());
        return true;
    }

  private:
    std::function<void(const QPoint&)> show_;
};

}  // namespace

void on_right_click(QWidget* viewport, std::function<void(const QPoint& global)> show) {
    new RightClickFilter(viewport, std::move(show));
}

int exec_context_menu(QWidget* parent, const QPoint& global,
                      std::initializer_list<std::string_view> labels) {
    QMenu menu(parent);
    int index = 0;
    for (std::string_view label : labels) menu.addAction(qtext(label))->setData(index++);
    const QAction* chosen = menu.exec(global);
    return chosen != nullptr ? chosen->data().toInt() : -1;
}

}  // namespace p330::gui
