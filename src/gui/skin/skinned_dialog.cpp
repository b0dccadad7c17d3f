#include "gui/skin/skinned_dialog.h"

#include <QPainter>
#include <QTimer>

#include "gui/skin/skin_image.h"

namespace p330::gui {

SkinnedDialog::SkinnedDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool SkinnedDialog::LoadDialogBackground(const QString& path, const QString& failure_caption) {
    const QImage background = load_premultiplied(path);
    if (background.isNull()) {
        resize(0, 0);
        skin_messages().background_failed(this, failure_caption);
        // An empty, invisible dialog must not stay open: end it as if cancelled.
        QTimer::singleShot(0, this, &QDialog::reject);
        return false;
    }
    canvas_ = make_canvas(background);
    setFixedSize(canvas_.size());
    return true;
}

void SkinnedDialog::paintEvent(QPaintEvent*) {
    if (canvas_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

}  // namespace p330::gui
