#include "gui/app/screenshot_views.h"

#include <QApplication>
#include <QTimer>

#include "gui/access/synthetic_click.h"
#include "gui/app/main_window.h"
#include "gui/layout/main_layout.h"

namespace p330::gui {

namespace {
constexpr int kPaintedMs = 300;  // for the clicks' repaints and a list's first paint
}

QStringList screenshot_views() {
    return {QStringLiteral("main"), QStringLiteral("panels"), QStringLiteral("buttons"),
            QStringLiteral("macros")};
}

void stage_screenshot_view(MainWindow& window, const QString& view,
                           const std::function<void(QWidget*)>& take) {
    using namespace layout;
    if (view == QLatin1String("macros")) {
        QTimer::singleShot(kPaintedMs, [take] { take(QApplication::activeModalWidget()); });
        click_painted(&window, window.left_column().macro_manager);  // returns once it closes
        return;
    }
    if (view == QLatin1String("panels")) {
        click_painted(&window, window.left_column().sensitivity);
        click_painted(&window, window.right_header(kDpi));
        click_painted(&window, window.right_header(kLighting));
    } else if (view == QLatin1String("buttons")) {
        click_painted(&window, window.left_column().button_assignment);
        click_painted(&window, dropdown_box(3));
    }
    QTimer::singleShot(kPaintedMs, &window, [take, &window] { take(&window); });
}

}  // namespace p330::gui
