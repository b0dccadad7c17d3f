#pragma once
// The program's icon in the sizes of the hicolor icon theme, for the desktop file and the
// software centre.

#include <QPainter>
#include <QString>
#include <functional>

namespace skin {

inline constexpr char kAppId[] = "io.github.p330.Configurator";

// draw paints the icon on a 64 x 64 canvas; it is scaled, as vectors, to every size and
// written to DIR/hicolor/NxN/apps/<kAppId>.png. False when a file could not be written.
bool write_hicolor_icons(const QString& dir, const std::function<void(QPainter&)>& draw);

}  // namespace skin
