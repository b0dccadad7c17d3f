#include "gui/skin/skin_image.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QWidget>

#include "core/util/file_io.h"
#include "gui/skin/skin_file_check.h"

namespace p330::gui {

void SkinMessages::image_failed(QWidget* owner) {
    QMessageBox::warning(owner, QString(), QStringLiteral("LoadPng---Load image failed."));
}

void SkinMessages::background_failed(QWidget* owner, const QString& caption) {
    QMessageBox::warning(owner, caption, QStringLiteral("error"));
}

namespace {
constexpr std::size_t kMaxSkinImageSize = std::size_t{32} << 20;
SkinMessages g_default_messages;
SkinMessages* g_messages = &g_default_messages;
}  // namespace

SkinMessages& skin_messages() {
    return *g_messages;
}
void set_skin_messages(SkinMessages* messages) {
    g_messages = messages ? messages : &g_default_messages;
}

QImage load_premultiplied(const QString& path) {
    // Its header first: a regular, complete PNG no larger than the window is decoded.
    if (!check_skin_file(path.toStdString(), skin_window_size())) return {};
    // Read by the core, which refuses what is not a regular file instead of blocking on it.
    const Result<std::vector<std::uint8_t>> bytes =
        read_file(path.toStdString(), kMaxSkinImageSize);
    if (!bytes) return {};
    // One image from decoding to the end: converted and premultiplied in place, so that a
    // window-sized 2x picture is never held two or three times over.
    QImage image = QImage::fromData(bytes->data(), static_cast<int>(bytes->size()));
    if (image.isNull()) return {};
    image.convertTo(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = row[x];
            const int a = qAlpha(p);
            row[x] = qRgba(qRed(p) * a / 255, qGreen(p) * a / 255, qBlue(p) * a / 255, a);
        }
    }
    // The bytes are premultiplied now; say so without converting again.
    image.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    return image;
}

int skin_scale() {
    return qApp != nullptr && qApp->devicePixelRatio() > 1.0 ? 2 : 1;
}

namespace {

QString double_path(const QString& path) {
    QString sharp = path;
    if (sharp.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        sharp.insert(sharp.size() - 4, QStringLiteral("@2x"));
    return sharp;
}

}  // namespace

SkinImageSize skin_image_size(const QString& path) {
    const int scale = skin_scale();
    const QString sharp = double_path(path);
    if (scale > 1 && QFileInfo::exists(sharp)) {
        if (const Result<PixelSize> s = skin_file_size(sharp.toStdString(), skin_window_size())) {
            return {QSize(static_cast<int>(s->width) / scale, static_cast<int>(s->height) / scale),
                    qint64{4} * s->width * s->height};
        }
    }
    const Result<PixelSize> s = skin_file_size(path.toStdString(), skin_window_size());
    if (!s) return {};
    return {QSize(static_cast<int>(s->width), static_cast<int>(s->height)),
            qint64{4} * s->width * s->height * scale * scale};
}

QImage load_skin_image(const QString& path) {
    const int scale = skin_scale();
    if (scale == 1) return load_premultiplied(path);
    const QString sharp = double_path(path);
    QImage image = QFileInfo::exists(sharp) ? load_premultiplied(sharp) : QImage();
    if (image.isNull()) {
        // A skin made for 1x screens only: its pictures enlarged, smoothly.
        const QImage plain = load_premultiplied(path);
        if (plain.isNull()) return {};
        image = plain.scaled(plain.size() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    image.setDevicePixelRatio(scale);
    return image;
}

bool DrawSkinImageQuiet(QImage& canvas, const QString& path, int x, int y) {
    const QImage image = load_premultiplied(path);
    if (image.isNull() || canvas.isNull()) return false;
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(x, y, image);
    return true;
}

bool DrawSkinImage(QWidget* owner, QImage& canvas, const QString& path, int x, int y) {
    if (DrawSkinImageQuiet(canvas, path, x, y)) return true;
    skin_messages().image_failed(owner);
    return false;
}

QImage make_canvas(const QImage& background) {
    return background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace p330::gui
