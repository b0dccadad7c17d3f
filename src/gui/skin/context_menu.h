#pragma once
// The lists' context menus: the right button leaves a list's selection alone and its release
// opens a menu of texts at the cursor.

#include <QPoint>
#include <functional>
#include <initializer_list>
#include <string_view>

class QWidget;

namespace p330::gui {

// Calls show with the cursor's global position on every right-button release over viewport;
// right-button presses there reach nothing.
void on_right_click(QWidget* viewport, std::function<void(const QPoint& global)> show);

// Shows a menu of labels (UTF-8) at global; the index chosen, or -1.
int exec_context_menu(QWidget* parent, const QPoint& global,
                      std::initializer_list<std::string_view> labels);

}  // namespace p330::gui
