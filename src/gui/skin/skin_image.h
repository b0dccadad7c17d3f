#pragma once
// Skin images: decoded from PNG, premultiplied, and blended source-over onto a canvas at
// their natural size. Every draw reloads its file, as skins may be edited while we run.

#include <QImage>
#include <QString>

class QWidget;

namespace p330::gui {

// How the toolkit tells the user about a missing image or dialog background; tests count.
class SkinMessages {
  public:
    virtual ~SkinMessages() = default;
    virtual void image_failed(QWidget* owner);  // "LoadPng---Load image failed."
    virtual void background_failed(QWidget* owner, const QString& caption);  // "error"
};
SkinMessages& skin_messages();
void set_skin_messages(SkinMessages* messages);  // null restores the message boxes

// The PNG as 32-bit premultiplied pixels: each colour c becomes c * a / 255 (integer
// division). A null image when the file cannot be decoded.
QImage load_premultiplied(const QString& path);

// 2 when the screens' device-pixel ratio is above 1, when skins are drawn from their
// name@2x.png images; 1 otherwise.
int skin_scale();

// The skin image for skin_scale(): at 2, name@2x.png when the folder has it, else name.png
// enlarged smoothly; its device-pixel ratio says which, so it paints at its 1x size.
QImage load_skin_image(const QString& path);

// What load_skin_image(path) would give, read from the PNG headers only: its size in window
// pixels and the bytes its pixels take. Empty when the file cannot be used.
struct SkinImageSize {
    QSize window;
    qint64 bytes = 0;
};
SkinImageSize skin_image_size(const QString& path);

bool DrawSkinImage(QWidget* owner, QImage& canvas, const QString& path, int x, int y);
bool DrawSkinImageQuiet(QImage& canvas, const QString& path, int x, int y);

// A new canvas for a window: premultiplied, so that blending needs no conversions.
QImage make_canvas(const QImage& background);

}  // namespace p330::gui
