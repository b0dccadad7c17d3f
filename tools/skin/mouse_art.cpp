#include "mouse_art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "skin_style.h"

namespace skin {
namespace {

void shell(QPainter& p, const QPainterPath& body) {
    QLinearGradient g(body.boundingRect().topLeft(), body.boundingRect().bottomRight());
    g.setColorAt(0, QColor(0x34, 0x39, 0x45));
    g.setColorAt(0.5, QColor(0x22, 0x26, 0x2E));
    g.setColorAt(1, QColor(0x16, 0x19, 0x1F));
    p.setPen(QPen(QColor(0x4A, 0x52, 0x61), 1.5));
    p.setBrush(g);
    p.drawPath(body);
}

}  // namespace

QImage mouse_front() {
    QImage image = blank(275, 380);
    QPainter p;
    begin(p, image);
    // Body: a rounded egg, centred at x = 137.
    QPainterPath body;
    body.moveTo(137, 22);
    body.cubicTo(205, 22, 222, 110, 218, 200);
    body.cubicTo(214, 300, 186, 360, 137, 360);
    body.cubicTo(88, 360, 60, 300, 56, 200);
    body.cubicTo(52, 110, 69, 22, 137, 22);
    shell(p, body);
    // The two main buttons and the seam between them.
    p.setPen(QPen(QColor(0x0C, 0x0E, 0x12), 2));
    p.drawLine(QPointF(137, 24), QPointF(137, 150));
    p.drawLine(QPointF(58, 150), QPointF(216, 150));
    // Wheel with an accent glow.
    QRadialGradient glow(QPointF(137, 80), 30);
    glow.setColorAt(0, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 120));
    glow.setColorAt(1, Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(137, 80), 30, 30);
    p.setBrush(QColor(0x0C, 0x0E, 0x12));
    p.drawRoundedRect(QRectF(129, 52, 16, 50), 8, 8);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(133, 58, 8, 38), 4, 4);
    // DPI buttons below the wheel.
    p.setBrush(QColor(0x0C, 0x0E, 0x12));
    p.drawRoundedRect(QRectF(130, 112, 14, 10), 3, 3);
    p.drawRoundedRect(QRectF(130, 127, 14, 10), 3, 3);
    // Logo stripe.
    p.setBrush(QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 160));
    p.drawRoundedRect(QRectF(122, 300, 30, 4), 2, 2);
    p.end();
    return image;
}

QImage mouse_side() {
    QImage image = blank(250, 360);
    QPainter p;
    begin(p, image);
    // Left side profile: the thumb rest faces the viewer.
    QPainterPath body;
    body.moveTo(40, 40);
    body.cubicTo(120, 10, 210, 60, 215, 160);
    body.cubicTo(220, 260, 190, 330, 120, 335);
    body.cubicTo(60, 338, 20, 300, 22, 220);
    body.cubicTo(24, 140, 10, 60, 40, 40);
    shell(p, body);
    // Side buttons (forward, back) and the thumb groove.
    p.setPen(QPen(QColor(0x0C, 0x0E, 0x12), 2));
    p.setBrush(QColor(0x2C, 0x31, 0x3C));
    p.drawRoundedRect(QRectF(130, 118, 60, 22), 8, 8);
    p.drawRoundedRect(QRectF(130, 146, 60, 22), 8, 8);
    p.setPen(QPen(QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 150), 2));
    p.drawArc(QRectF(40, 180, 150, 120), 200 * 16, 140 * 16);
    p.end();
    return image;
}

QImage callout(int number, QSize size, bool badge_on_left, bool over) {
    QImage image = blank(size.width(), size.height());
    QPainter p;
    begin(p, image);
    const qreal mid = size.height() / 2.0;
    const QColor line = over ? kAccent : QColor(0x5A, 0x63, 0x72);
    const qreal badge = 18;
    const QRectF badge_rect(badge_on_left ? 1 : size.width() - badge - 1, mid - badge / 2, badge,
                            badge);
    const qreal from = badge_on_left ? badge_rect.right() : badge_rect.left();
    const qreal to = badge_on_left ? size.width() - 4 : 4;
    p.setPen(QPen(line, over ? 1.6 : 1.1, over ? Qt::SolidLine : Qt::DashLine));
    p.drawLine(QPointF(from, mid), QPointF(to, mid));
    p.setPen(Qt::NoPen);
    p.setBrush(line);
    p.drawEllipse(QPointF(to, mid), over ? 3.5 : 2.5, over ? 3.5 : 2.5);
    p.setPen(QPen(line, 1.2));
    p.setBrush(over ? kAccent : kRaised);
    p.drawEllipse(badge_rect);
    label(p, badge_rect, QString::number(number), 11, over ? kWindow : kText, Qt::AlignCenter,
          true);
    p.end();
    return image;
}

}  // namespace skin
