#include "gui/skin/skin_canvas.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "gui/layout/main_layout.h"
#include "gui/skin/skin_image.h"

namespace p330::gui {

void SkinCanvas::reset(const QImage& background) {
    image_ = background.isNull() ? QImage() : make_canvas(background);
    dirty_ = image_.rect();
}

const QImage& SkinCanvas::image_of(const QString& rel) {
    const QFileInfo file(path(rel));
    const QDateTime modified = file.lastModified();
    auto it = cache_.find(rel);
    if (it == cache_.end() || it->size != file.size() || it->modified != modified ||
        it->image.isNull()) {
        if (it != cache_.end()) {
            cached_bytes_ -= it->image.sizeInBytes();
            cache_.erase(it);
        }
        Cached fresh{modified, file.size(), QImage()};
        if (file.exists()) {
            // Room is made before decoding, from the header, so the budget is never exceeded.
            make_room(skin_image_size(file.filePath()).bytes);
            fresh.image = load_skin_image(file.filePath());
        }
        cached_bytes_ += fresh.image.sizeInBytes();
        it = cache_.insert(rel, fresh);
    }
    it->last_use = ++uses_;
    return it->image;
}

void SkinCanvas::make_room(qint64 bytes) {
    while (!cache_.isEmpty() && cached_bytes_ + bytes > kCacheBudget) {
        const auto oldest = std::min_element(
            cache_.begin(), cache_.end(),
            [](const Cached& a, const Cached& b) { return a.last_use < b.last_use; });
        cached_bytes_ -= oldest->image.sizeInBytes();
        cache_.erase(oldest);
    }
}

bool SkinCanvas::draw(const QString& rel, layout::Point at) {
    if (image_.isNull()) return false;
    const QImage& picture = image_of(rel);
    if (picture.isNull()) return false;
    QPainter painter(&image_);
    painter.drawImage(at.x, at.y, picture);
    dirty_ |= QRect(QPoint(at.x, at.y), picture.deviceIndependentSize().toSize());
    return true;
}

void SkinCanvas::draw_image(const QImage& picture, layout::Point at) {
    if (image_.isNull() || picture.isNull()) return;
    QPainter painter(&image_);
    painter.drawImage(at.x, at.y, picture);
    dirty_ |= QRect(QPoint(at.x, at.y), picture.deviceIndependentSize().toSize());
}

void SkinCanvas::paint(QPainter& painter, const QRect& r) const {
    const qreal scale = image_.devicePixelRatio();
    const QRectF source(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);  // for ratios such as 1.5
    painter.drawImage(QRectF(r), image_, source);
}

QImage SkinCanvas::copy(const QRect& r) const {
    const qreal scale = image_.devicePixelRatio();
    QImage part = image_.copy(
        QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale).toRect());
    part.setDevicePixelRatio(scale);
    return part;
}

void SkinCanvas::label(const layout::Rect& r, const QString& text, int indent) {
    label(r, text, indent, fonts_.normal);
}

void SkinCanvas::label(const layout::Rect& r, const QString& text, int indent, const QFont& font) {
    if (image_.isNull() || text.isEmpty()) return;
    QPainter p(&image_);
    p.setPen(text_colour());
    const QRect box = to_qrect(r);
    const bool centred = indent == layout::kCentred;
    const QRect inside = centred ? box : box.adjusted(indent, 0, 0, 0);
    const QFont small_enough = font_to_fit(font, text, inside.width());
    p.setFont(small_enough);
    // What is still too long keeps its start and loses its end, not both ends.
    const QString shown =
        QFontMetrics(small_enough).elidedText(text, Qt::ElideRight, inside.width());
    const Qt::Alignment horizontal = centred ? Qt::AlignHCenter : Qt::AlignLeft;
    p.drawText(inside, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), shown);
    dirty_ |= box;
}

void SkinCanvas::dim(const layout::Rect& r) {
    if (image_.isNull()) return;
    QPainter p(&image_);
    p.fillRect(to_qrect(r), QColor(0, 0, 0, 150));
    dirty_ |= to_qrect(r);
}

QRect SkinCanvas::take_dirty() {
    const QRect r = dirty_;
    dirty_ = QRect();
    return r;
}

}  // namespace p330::gui
