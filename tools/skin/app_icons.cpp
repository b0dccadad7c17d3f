#include "app_icons.h"

#include <QDir>
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

}  // namespace skin
