#include "gui/app/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "gui/skin/image_button.h"
#include "gui/skin/skin_image.h"

namespace p330::gui {
namespace {

// Fixed rectangles of the main window (left, top, right, bottom as the layout gives them).
QRect rect_ltrb(int l, int t, int r, int b) {
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}
const QRect kHide = rect_ltrb(958, 5, 973, 20);
const QRect kClose = rect_ltrb(979, 5, 994, 20);
const QRect kReset = rect_ltrb(798, 604, 855, 634);
const QRect kCancel = rect_ltrb(860, 604, 917, 634);
const QRect kSave = rect_ltrb(923, 604, 980, 634);
const QRect kConfig = rect_ltrb(18, 604, 90, 634);
const QRect kFrontTab = rect_ltrb(437, 527, 499, 556);
const QRect kSideTab = rect_ltrb(500, 527, 562, 556);
const QRect kThumb = rect_ltrb(984, 32, 991, 146);

}  // namespace

MainWindow::MainWindow(QString skin_dir, TextColour colour, WindowFonts fonts, MainViewTexts texts)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool),  // a tool window: no taskbar button
      skin_dir_(std::move(skin_dir)),
      colour_(colour),
      fonts_(std::move(fonts)),
      texts_(std::move(texts)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(QStringLiteral("P330"));
}

void MainWindow::show_splash() {
    const QImage splash = load_premultiplied(asset("/start.png"));
    canvas_ = splash.isNull() ? QImage() : make_canvas(splash);
    // Size only: the window stays where the system put it.
    resize(canvas_.isNull() ? QSize(1, 1) : canvas_.size());
    show();
}

void MainWindow::show_main_view() {
    const QImage main = load_premultiplied(asset("/main.png"));
    canvas_ = main.isNull() ? QImage() : make_canvas(main);
    const QSize size = canvas_.isNull() ? QSize(1, 1) : canvas_.size();
    const QRect area =
        screen() ? screen()->availableGeometry() : QRect(0, 0, size.width(), size.height());
    setGeometry(area.left() + (area.width() - size.width()) / 2,
                area.top() + (area.height() - size.height()) / 2, size.width(), size.height());
    main_view_shown_ = true;
    paint_main_view();
    update();
}

void MainWindow::redraw_main_view() {
    if (!main_view_shown_) return;
    const QImage main = load_premultiplied(asset("/main.png"));
    if (!main.isNull()) canvas_ = make_canvas(main);
    paint_main_view();
    update();
}

void MainWindow::save_finished() {}

void MainWindow::set_busy(bool busy) {
    if (busy) {
        setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
    }
}

void MainWindow::reset_main_view() {
    redraw_main_view();
}

void MainWindow::draw_label(const QRect& r, const QString& text, int indent) {
    QPainter p(&canvas_);
    p.setFont(fonts_.normal);
    p.setPen(QColor(colour_.red, colour_.green, colour_.blue));
    const QRect inside = r.adjusted(indent, 0, 0, 0);
    const Qt::Alignment horizontal = indent == 0 ? Qt::AlignHCenter : Qt::AlignLeft;
    p.drawText(inside, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), text);
}

void MainWindow::paint_main_view() {
    if (canvas_.isNull()) return;  // without a canvas the window paints nothing
    struct Placed {
        int x, y;
        const char* image;
    };
    const Placed fixed[] = {
        {20, 32, "/Logo.png"},
        {984, 32, "/Bar1.png"},
        {937, 5, "/button-help-normal.png"},
        {958, 5, "/button-min-normal.png"},
        {979, 5, "/button-close-normal.png"},
        {798, 604, "/button-cancel-normal.png"},
        {860, 604, "/button-cancel-normal.png"},
        {923, 604, "/button-save-normal.png"},
        {18, 604, "/button-config-normal.png"},
        {262, 32, "/BK_MainMid.png"},
        {437, 527, "/button-mouse-leave.png"},
        {500, 527, "/button-mouse-normal.png"},
        {335, 58, "/Mouse/Front/MouseFront.png"},
        {20, 107, "/BK_MainLeft.png"},
        {20, 107, "/ItemBK.png"},
        {20, 132, "/MacroManagementBK.png"},
        {20, 175, "/ItemBK.png"},
        {734, 32, "/BK_MainRight.png"},
    };
    for (const Placed& e : fixed) DrawSkinImageQuiet(canvas_, asset(e.image), e.x, e.y);
    const QPoint callouts[8] = {{335, 100}, {335, 163}, {335, 189}, {335, 227},
                                {335, 262}, {515, 100}, {473, 176}, {473, 250}};
    for (int n = 0; n < 8; ++n) {
        DrawSkinImageQuiet(canvas_,
                           skin_dir_ + QStringLiteral("/Mouse/Front/F-%1-normal.png").arg(n + 1),
                           callouts[n].x(), callouts[n].y());
    }
    for (int i = 0; i < 7; ++i) DrawSkinImageQuiet(canvas_, asset("/ItemBK.png"), 734, 32 + 25 * i);

    draw_label(kReset, texts_.reset, 0);
    draw_label(kCancel, texts_.cancel, 0);
    draw_label(kSave, texts_.save, 0);
    draw_label(kConfig, texts_.config, 25);
    draw_label(kFrontTab, texts_.front, 0);
    draw_label(kSideTab, texts_.side, 0);
    draw_label(rect_ltrb(20, 107, 262, 127), texts_.left_items[0], 10);
    draw_label(rect_ltrb(20, 132, 262, 170), texts_.left_items[1], 10);
    draw_label(rect_ltrb(20, 175, 262, 195), texts_.left_items[2], 10);
    for (int i = 0; i < 7; ++i)
        draw_label(rect_ltrb(734, 32 + 25 * i, 976, 52 + 25 * i), texts_.right_headers[i], 10);

    if (thumb_ == nullptr) {
        const QImage image(QStringLiteral(":/p330/thumb.png"));
        thumb_ = new ImageButton(image, image, this);
        thumb_->setGeometry(kThumb);
        thumb_->set_background(canvas_.copy(kThumb));
        thumb_->show();
    }
}

void MainWindow::paintEvent(QPaintEvent*) {
    if (!canvas_.isNull()) {
        QPainter painter(this);
        painter.drawImage(0, 0, canvas_);  // the whole canvas, once per paint
    }
    if (!painted_) {
        painted_ = true;
        if (on_first_paint) on_first_paint();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window; the program lives on in the tray.
    event->ignore();
    hide();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (main_view_shown_ && event->button() == Qt::LeftButton) {
        if (kClose.contains(p)) {
            if (on_exit) on_exit();
            return;
        }
        if (kHide.contains(p)) {
            if (hide_minimises_) {
                showMinimized();
            } else {
                hide();
            }
            return;
        }
    }
    // Anything else drags the window, as a caption would.
    if (event->button() == Qt::LeftButton && windowHandle() != nullptr)
        windowHandle()->startSystemMove();
}

}  // namespace p330::gui
