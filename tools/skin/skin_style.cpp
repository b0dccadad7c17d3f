#include "skin_style.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>

namespace skin {

namespace {
int g_scale = 1;
}  // namespace

void set_scale(int scale) {
    g_scale = scale;
}

int scale() {
    return g_scale;
}

QImage blank(int width, int height) {
    QImage image(width * g_scale, height * g_scale, QImage::Format_ARGB32);
    image.setDevicePixelRatio(g_scale);
    image.fill(Qt::transparent);
    return image;
}

QSize logical_size(const QImage& image) {
    return image.deviceIndependentSize().toSize();
}

void begin(QPainter& p, QImage& image) {
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

void panel(QPainter& p, const QRectF& r, qreal radius) {
    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(kPanel);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void field(QPainter& p, const QRectF& r, bool active) {
    p.setPen(QPen(active ? kAccent : kPanelEdge, 1));
    p.setBrush(QColor(0x0E, 0x10, 0x14));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

void button_face(QPainter& p, const QRectF& r, bool hot, bool primary) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (primary) {
        g.setColorAt(0, hot ? kAccent.lighter(115) : kAccent);
        g.setColorAt(1, hot ? kAccent : kAccentDeep);
    } else {
        g.setColorAt(0, hot ? kRaisedHot : kRaised);
        g.setColorAt(1, hot ? kRaised : kPanel);
    }
    p.setPen(QPen(hot ? kAccent : kPanelEdge, 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

void accent_bar(QPainter& p, const QRectF& r) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRoundedRect(r, 1.5, 1.5);
}

void label(QPainter& p, const QRectF& r, const QString& text, int pixel_size, const QColor& colour,
           Qt::Alignment align, bool bold) {
    QFont font("DejaVu Sans");
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, static_cast<int>(align), text);
}

void chevron_down(QPainter& p, QPointF c, qreal s, const QColor& colour) {
    QPainterPath path;
    path.moveTo(c.x() - s, c.y() - s / 2);
    path.lineTo(c.x(), c.y() + s / 2);
    path.lineTo(c.x() + s, c.y() - s / 2);
    p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void title_bar(QPainter& p, int width, int height, const QString& title) {
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, kRaised);
    g.setColorAt(1, kPanel);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(0, 0, width, height));
    accent_bar(p, QRectF(0, height - 2, width, 2));
    if (!title.isEmpty())
        label(p, QRectF(12, 0, width - 24, height), title, 13, kMuted,
              Qt::AlignLeft | Qt::AlignVCenter, true);
}

}  // namespace skin
