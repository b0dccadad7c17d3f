#include "gui/skin/skinned_dialog.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include "gui/access/focus_ring.h"
#include "gui/skin/control_style.h"
#include "gui/skin/skin_image.h"

namespace p330::gui {

SkinnedDialog::SkinnedDialog(QWidget* parent, QString skin_dir, TextColour colour,
                             WindowFonts fonts)
    : QDialog(parent), skin_(std::move(skin_dir), colour, std::move(fonts)) {
    focus_ = new FocusRing(
        this, [this] { return focus_stops(); }, skin_.text_colour());
    setFocusPolicy(Qt::StrongFocus);  // a painted stop's focus is the dialog's
    setWindowFlag(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool SkinnedDialog::LoadDialogBackground(const QString& path, const QString& failure_caption,
                                         QSize fallback) {
    const QImage background = load_skin_image(path);
    if (!background.isNull()) {
        skin_.reset(background);
        setFixedSize(skin_.size());
        return true;
    }
    skin_messages().background_failed(this, failure_caption);
    if (fallback.isValid()) {
        QImage plain(fallback, QImage::Format_ARGB32_Premultiplied);
        plain.fill(kControlGrey);
        skin_.reset(plain);
        setFixedSize(fallback);
        return false;
    }
    resize(0, 0);
    // An empty, invisible dialog must not stay open: end it as if cancelled.
    QTimer::singleShot(0, this, &QDialog::reject);
    return false;
}

void SkinnedDialog::paintEvent(QPaintEvent* event) {
    if (!skin_.valid()) return;
    QPainter painter(this);
    skin_.paint(painter, event->rect());
    focus_->paint_mark(painter);
}

void SkinnedDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The first stop takes the focus once the dialog is up (a control cannot take it while
    // its window is still being shown).
    QTimer::singleShot(0, this, [this] {
        focus_->refresh();
        if (focus_->current() == nullptr && !focus_->stops().empty()) focus_->step(true);
    });
}

void SkinnedDialog::focusInEvent(QFocusEvent* event) {
    QDialog::focusInEvent(event);
    focus_->update_mark();
}

void SkinnedDialog::focusOutEvent(QFocusEvent* event) {
    QDialog::focusOutEvent(event);
    focus_->update_mark();
}

bool SkinnedDialog::focusNextPrevChild(bool next) {
    // Tab reaches the ring first; this is Qt moving the focus off a control that went away.
    focus_->refresh();
    if (focus_->stops().empty()) return QDialog::focusNextPrevChild(next);
    return focus_->settle();
}

void SkinnedDialog::flush() {
    const QRect dirty = skin_.take_dirty();
    if (!dirty.isEmpty()) update(dirty);
}

}  // namespace p330::gui
