#include "gui/skin/skinned_dialog.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include "gui/skin/control_style.h"
#include "gui/skin/skin_image.h"

namespace p330::gui {

SkinnedDialog::SkinnedDialog(QWidget* parent, QString skin_dir, TextColour colour,
                             WindowFonts fonts)
    : QDialog(parent), skin_(std::move(skin_dir), colour, std::move(fonts)) {
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
}

void SkinnedDialog::flush() {
    const QRect dirty = skin_.take_dirty();
    if (!dirty.isEmpty()) update(dirty);
}

}  // namespace p330::gui
