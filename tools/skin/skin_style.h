#pragma once
// The default skin's look: one dark palette, one accent colour, and the drawing helpers
// every asset is made from.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

namespace skin {

inline const QColor kWindow(0x12, 0x14, 0x19);
inline const QColor kPanel(0x1B, 0x1E, 0x25);
inline const QColor kPanelEdge(0x2B, 0x30, 0x3B);
inline const QColor kRaised(0x25, 0x29, 0x32);
inline const QColor kRaisedHot(0x30, 0x35, 0x40);
inline const QColor kTrack(0x33, 0x38, 0x44);
inline const QColor kMuted(0x7B, 0x84, 0x94);
inline const QColor kText(0xE8, 0xEC, 0xF2);
inline const QColor kAccent(0x2F, 0xB7, 0xF5);
inline const QColor kAccentDeep(0x16, 0x7F, 0xC0);
inline const QColor kDanger(0xF0, 0x5A, 0x5A);

// Every image is drawn at a scale of 1 (the window's pixels) and again at 2 for screens
// with twice the pixel density: the same shapes at twice the pixels, not an enlargement.
void set_scale(int scale);
int scale();

// A transparent image of the given size in window pixels, holding scale() times the pixels
// (its device-pixel ratio says so: painters on it draw in window pixels).
QImage blank(int width, int height);
// An image's size in window pixels.
QSize logical_size(const QImage& image);
void begin(QPainter& p, QImage& image);

// Shapes shared by many assets.
void panel(QPainter& p, const QRectF& r, qreal radius = 6);
void field(QPainter& p, const QRectF& r, bool active);
void button_face(QPainter& p, const QRectF& r, bool hot, bool primary);
void accent_bar(QPainter& p, const QRectF& r);
void label(QPainter& p, const QRectF& r, const QString& text, int pixel_size, const QColor& colour,
           Qt::Alignment align = Qt::AlignCenter, bool bold = false);
void chevron_down(QPainter& p, QPointF centre, qreal size, const QColor& colour);
void title_bar(QPainter& p, int width, int height, const QString& title);

}  // namespace skin
