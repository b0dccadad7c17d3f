#include "app_icons.h"

#include <QDir>
#include <QSaveFile>
#include <cstdio>

#include "skin_style.h"

namespace skin {

bool write_hicolor_icons(const QString& dir, const std::function<void(QPainter&)>& draw) {
    bool ok = true;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image = blank(size, size);
        QPainter p;
        begin(p, image);
        p.scale(size / 64.0, size / 64.0);
        draw(p);
        p.end();
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(dir).arg(size);
        const QString path = folder + "/" + kAppId + ".png";
        if (!QDir().mkpath(folder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "make_skin: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}

bool write_scalable_icon(const QString& dir, const IconBackground& background,
                         const QPolygonF& mark) {
    QString points;
    for (const QPointF& p : mark) points += QStringLiteral("%1,%2 ").arg(p.x()).arg(p.y());
    const QRectF& r = background.rect;
    const QString svg =
        QStringLiteral(
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
            "viewBox=\"0 0 64 64\">\n"
            "  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"/>\n"
            "  <polygon points=\"%7\" fill=\"%8\"/>\n"
            "</svg>\n")
            .arg(r.x())
            .arg(r.y())
            .arg(r.width())
            .arg(r.height())
            .arg(background.radius)
            .arg(kRaised.name(), points.trimmed(), kAccent.name());
    const QString folder = dir + QStringLiteral("/hicolor/scalable/apps");
    const QString path = folder + "/" + kAppId + ".svg";
    QSaveFile file(path);
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
        file.write(svg.toUtf8()) < 0 || !file.commit()) {
        std::fprintf(stderr, "make_skin: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace skin
