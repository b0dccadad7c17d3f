#include "gui/skin/image_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace p330::gui {

int ImageButton::shared_top = 32;

namespace {

// Applies a colour matrix to straight (not premultiplied) colours, alpha kept.
template <typename Map>
QImage map_colours(const QImage& image, Map map) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) row[x] = map(row[x]);
    }
    return out;
}

int clamp_byte(double v) {
    return static_cast<int>(qBound(0.0, v, 255.0));
}

}  // namespace

QImage brightened(const QImage& image) {
    return map_colours(image, [](QRgb p) {
        auto f = [](int c) { return clamp_byte(1.05 * c + 0.05 * 255); };
        return qRgba(f(qRed(p)), f(qGreen(p)), f(qBlue(p)), qAlpha(p));
    });
}

QImage greyscale(const QImage& image) {
    return map_colours(image, [](QRgb p) {
        const int l = clamp_byte(0.3 * qRed(p) + 0.59 * qGreen(p) + 0.11 * qBlue(p));
        return qRgba(l, l, l, qAlpha(p));
    });
}

ImageButton::ImageButton(const QImage& standard, const QImage& alternate, QWidget* parent,
                         ThumbTrack track)
    : QAbstractButton(parent), standard_(standard), alternate_(alternate), track_(track) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

QImage ImageButton::compose(const QImage& image, int dx, int dy) const {
    // At the pixel density of what lies beneath, so the button is as sharp as the window.
    const qreal scale =
        background_.isNull() ? standard_.devicePixelRatio() : background_.devicePixelRatio();
    QImage out(size() * scale, QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(scale);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!background_.isNull()) p.drawImage(0, 0, background_);
    p.drawImage(dx, dy, image);
    return out;
}

void ImageButton::build_caches() {
    if (caches_built_ || standard_.isNull()) return;
    looks_[kBackground] = compose(QImage(), 0, 0);
    looks_[kStandard] = compose(standard_, 0, 0);
    looks_[kStandardPressed] = compose(standard_, 0, 0);
    looks_[kStandardHot] = compose(brightened(standard_), 0, 0);
    looks_[kGreyscale] = compose(greyscale(standard_), 0, 0);
    if (!alternate_.isNull()) {
        looks_[kAlternate] = compose(alternate_, 0, 0);
        looks_[kAlternatePressed] = compose(alternate_, 1, 1);
        looks_[kAlternateHot] = compose(brightened(alternate_), 0, 0);
    }
    caches_built_ = true;
}

const QImage& ImageButton::look(Look which) {
    build_caches();
    return looks_[which];
}

void ImageButton::paintEvent(QPaintEvent*) {
    build_caches();
    if (!caches_built_) return;  // no image: nothing of its own to draw
    Look chosen = kStandard;
    if (disabled_) {
        chosen = kGreyscale;
    } else if (isDown()) {
        if (toggle_) toggle_state_ = !toggle_state_;
        chosen = toggle_state_ ? kAlternatePressed : kStandardPressed;
    } else if (hover_) {
        chosen = toggle_state_ ? kAlternateHot : kStandardHot;
    } else {
        chosen = toggle_state_ ? kAlternate : kStandard;
    }
    QPainter p(this);
    p.drawImage(0, 0, looks_[chosen]);
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        last_cursor_ = event->globalPosition().toPoint();
    }
    QAbstractButton::mousePressEvent(event);
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    QAbstractButton::mouseReleaseEvent(event);  // its click still sees the drag
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint cursor = event->globalPosition().toPoint();
    if (dragging_) {
        const int dy = cursor.y() - last_cursor_.y();
        const int new_top = geometry().top() + dy;
        const int new_bottom = geometry().top() + height() + dy;
        // A step past a limit is ignored whole, never clamped.
        if (new_top > track_.min_top_exclusive && new_bottom < track_.max_bottom_exclusive &&
            geometry().left() == track_.track_left) {
            move(track_.track_left, new_top);
            update();
            shared_top = new_top;
            emit thumb_moved(new_top);
        }
    }
    last_cursor_ = cursor;
    QAbstractButton::mouseMoveEvent(event);
}

}  // namespace p330::gui
