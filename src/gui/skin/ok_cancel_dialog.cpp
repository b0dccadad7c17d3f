#include "gui/skin/ok_cancel_dialog.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "gui/access/focus_ring.h"
#include "gui/access/table_stops.h"
#include "gui/layout/dialog_layout.h"
#include "gui/layout/main_layout.h"
#include "gui/skin/image_button.h"

namespace p330::gui {

using namespace layout;

OkCancelDialog::OkCancelDialog(QWidget* parent, QString skin_dir, TextColour colour,
                               WindowFonts fonts, QString ok, QString cancel)
    : SkinnedDialog(parent, std::move(skin_dir), colour, std::move(fonts)),
      ok_(std::move(ok)),
      cancel_(std::move(cancel)) {
    setMouseTracking(true);
    hover_timer_.setSingleShot(true);
    connect(&hover_timer_, &QTimer::timeout, this, [this] {
        if (candidate_ == hover_) return;
        paint_part(hover_, false);
        hover_ = candidate_;
        paint_part(hover_, true);
        flush();
    });
}

void OkCancelDialog::paint_frame() {
    for (Hover part : {kClose, kOk, kCancel}) paint_part(part, part == hover_);
}

void OkCancelDialog::paint_part(Hover part, bool over) {
    SkinCanvas& c = skin();
    switch (part) {
        case kNone: return;
        case kClose:
            c.draw(over ? dialog::kCloseOver : dialog::kCloseNormal, dialog::kClose.top_left());
            return;
        case kOk:
            if (!can_accept()) {
                c.draw_image(greyscale(c.image_of(QString::fromLatin1(dialog::kButtonNormal))),
                             dialog::kOk.top_left());
            } else {
                c.draw(over ? dialog::kButtonOver : dialog::kButtonNormal, dialog::kOk.top_left());
            }
            c.label(dialog::kOk, ok_, kCentred);
            // A grey face alone hardly differs from a dark skin's own: the refused OK is also
            // dimmed, its label with it.
            if (!can_accept()) c.dim(dialog::kOk);
            return;
        case kCancel:
            c.draw(over ? dialog::kButtonOver : dialog::kButtonNormal, dialog::kCancel.top_left());
            c.label(dialog::kCancel, cancel_, kCentred);
            return;
    }
}

OkCancelDialog::Hover OkCancelDialog::part_at(Point p) const {
    if (dialog::kClose.contains(p)) return kClose;
    if (dialog::kOk.contains(p)) return kOk;
    if (dialog::kCancel.contains(p)) return kCancel;
    return kNone;
}

void OkCancelDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Point p{static_cast<int>(event->position().x()), static_cast<int>(event->position().y())};
    const Hover part = part_at(p);
    if (part == kOk) {
        if (can_accept()) accept();
        return;
    }
    if (part == kCancel || part == kClose) {
        reject();
        return;
    }
    click(p);
    flush();
    if (drag_on_click_ && windowHandle() != nullptr) windowHandle()->startSystemMove();
}

void OkCancelDialog::mouseMoveEvent(QMouseEvent* event) {
    const Point p{static_cast<int>(event->position().x()), static_cast<int>(event->position().y())};
    candidate_ = part_at(p);
    if (candidate_ == kNone) {
        hover_timer_.stop();
        paint_part(hover_, false);
        hover_ = kNone;
        flush();
    } else {
        hover_timer_.start(10);
    }
}

void OkCancelDialog::leaveEvent(QEvent*) {
    hover_timer_.stop();
    candidate_ = kNone;
    paint_part(hover_, false);
    hover_ = kNone;
    flush();
}

FocusStops OkCancelDialog::focus_stops() {
    FocusStops stops;
    add_stops(stops);
    for (const auto& row : dialog::kFocusOrder) {
        FocusStop s;
        s.id = dialog::kFrameIds + dialog_stop_id(row.stop);
        s.role = accessible_role(row.role);
        s.rect = row.rect;
        switch (row.stop) {
            case dialog::Stop::kOkButton:
                s.name = ok_;
                // Unavailable (no action) while it cannot end the dialog.
                if (can_accept()) s.press = [this] { accept(); };
                break;
            case dialog::Stop::kCancelButton:
                s.name = cancel_;
                s.press = [this] { reject(); };
                break;
            case dialog::Stop::kCloseButton:
                s.name = close_name_;
                s.press = [this] { reject(); };
                break;
        }
        stops.push_back(std::move(s));
    }
    return stops;
}

void OkCancelDialog::keyPressEvent(QKeyEvent* event) {
    focus_ring().refresh();
    if (focus_ring().key(event)) {
        flush();
        focus_ring().refresh();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Escape: reject(); return;  // as Cancel
        case Qt::Key_Return:
        case Qt::Key_Enter: event->accept(); return;  // no default button
        default: SkinnedDialog::keyPressEvent(event);
    }
}

}  // namespace p330::gui
