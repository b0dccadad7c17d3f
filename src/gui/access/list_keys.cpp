#include "gui/access/list_keys.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace p330::gui {

namespace {

class ListKeyFilter : public QObject {
  public:
    ListKeyFilter(QAbstractItemView* list, ListKeys keys)
        : QObject(list), list_(list), keys_(std::move(keys)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        // A copy: acting may delete the list, and this filter with it.
        const ListKeys keys = keys_;
        const int row = list_->currentIndex().row();
        const bool menu_key =
            key == Qt::Key_Menu || (key == Qt::Key_F10 && press->modifiers() == Qt::ShiftModifier);
        if (menu_key && keys.menu) {
            const QRect at = list_->visualRect(list_->currentIndex());
            keys.menu(list_->viewport()->mapToGlobal(row >= 0 ? at.center() : QPoint(0, 0)));
            return true;
        }
        if (key == Qt::Key_F2 && keys.rename) {
            keys.rename();
            return true;
        }
        if (key == Qt::Key_Delete && keys.remove) {
            keys.remove();
            return true;
        }
        switch (key) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space:
                if (!keys.enter) return false;
                keys.enter(row);
                return true;
            case Qt::Key_Escape:
                if (!keys.escape) return false;
                keys.escape();
                return true;
            case Qt::Key_Right:
                if (!keys.right) return false;
                keys.right();
                return true;
            case Qt::Key_Left:
                if (!keys.left) return false;
                keys.left();
                return true;
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                return keys.popup;  // a pop-up is left by Enter or Esc, not by walking past it
            default: return false;
        }
    }

  private:
    QAbstractItemView* list_;
    ListKeys keys_;
};

}  // namespace

void add_list_keys(QAbstractItemView* list, ListKeys keys) {
    list->installEventFilter(new ListKeyFilter(list, std::move(keys)));
}

void focus_popup_list(QAbstractItemView* list, QWidget* owner, std::function<void(int row)> choose,
                      std::function<void()> close) {
    const auto back = [owner] { owner->setFocus(Qt::OtherFocusReason); };
    add_list_keys(list, {[choose, back](int row) {
                             choose(row);
                             back();
                         },
                         [close, back] {
                             close();
                             back();
                         },
                         {},
                         {}});
    if (list->currentIndex().row() < 0) list->setCurrentIndex(list->model()->index(0, 0));
    list->setFocus(Qt::OtherFocusReason);
}

}  // namespace p330::gui
