#pragma once
// The program's icon in the sizes of the hicolor icon theme, for the desktop file and the
// software centre.

#include <QPainter>
#include <QPolygonF>
#include <QString>
#include <functional>

namespace skin {

inline constexpr char kAppId[] = "io.github.p330.Configurator";

// draw paints the icon on a 64 x 64 canvas; it is scaled, as vectors, to every size and
// written to DIR/hicolor/NxN/apps/<kAppId>.png. False when a file could not be written.
bool write_hicolor_icons(const QString& dir, const std::function<void(QPainter&)>& draw);

// The icon's shapes on the 64 x 64 canvas, for the scalable copy.
struct IconBackground {
    QRectF rect;
    qreal radius;
};

// The same icon as SVG, DIR/hicolor/scalable/apps/<kAppId>.svg: the background and the mark
// as vectors, for desktops that draw icons at any size.
bool write_scalable_icon(const QString& dir, const IconBackground& background,
                         const QPolygonF& mark);

}  // namespace skin
