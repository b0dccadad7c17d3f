#pragma once
// What `p330 --screenshot FILE --screenshot-view VIEW` pictures, reached by clicks as a user
// makes them: the main view as it starts, with panels open, with a button's function list
// open, or the macro manager.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace p330::gui {

class MainWindow;

// "main", "panels", "buttons", "macros".
QStringList screenshot_views();
// Opens what view shows, then, once it is painted, hands take the widget to picture: the
// window, or the macro manager (modal: take runs inside its event loop).
void stage_screenshot_view(MainWindow& window, const QString& view,
                           const std::function<void(QWidget*)>& take);

}  // namespace p330::gui
