#pragma once
// A window's persistent canvas and what draws on it: skin images at their natural size and
// labels in the skin's text colour. Every draw widens the dirty region, so the window copies
// only what changed.

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include "gui/layout/geometry.h"
#include "gui/skin/skin_folder.h"
#include "gui/skin/ui_font.h"

namespace p330::gui {

inline QRect to_qrect(const layout::Rect& r) {
    return {r.left, r.top, r.width(), r.height()};
}

class SkinCanvas {
  public:
    SkinCanvas(QString skin_dir, TextColour colour, WindowFonts fonts)
        : skin_dir_(std::move(skin_dir)), colour_(colour), fonts_(std::move(fonts)) {}

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    // A new canvas from a background image; a null image leaves the window without one.
    void reset(const QImage& background);
    // A new canvas from a skin image.
    void reset(const char* rel) { reset(image_of(QString::fromLatin1(rel))); }
    bool valid() const { return !image_.isNull(); }
    // The canvas in window pixels; the image holds skin_scale() times as many.
    QSize size() const { return image_.deviceIndependentSize().toSize(); }
    // Copies the window rectangle r of the canvas to the painter's r.
    void paint(QPainter& painter, const QRect& r) const;
    // The window rectangle r of the canvas, at the canvas's pixel density.
    QImage copy(const QRect& r) const;

    QString path(const QString& rel) const { return skin_dir_ + rel; }
    const QString& skin_dir() const { return skin_dir_; }
    const WindowFonts& fonts() const { return fonts_; }
    void set_fonts(WindowFonts fonts) { fonts_ = std::move(fonts); }
    QColor text_colour() const { return {colour_.red, colour_.green, colour_.blue}; }

    // Skipped without a message when the image cannot be loaded (the old picture stays).
    bool draw(const QString& rel, layout::Point at);
    bool draw(const char* rel, layout::Point at) { return draw(QString::fromLatin1(rel), at); }
    // A numbered image: the pattern's %1 replaced by n.
    bool draw_numbered(const char* pattern, int n, layout::Point at) {
        return draw(QString::fromLatin1(pattern).arg(n), at);
    }
    // An image already in memory (a derived look such as the grey one).
    void draw_image(const QImage& picture, layout::Point at);
    // The decoded skin image (null when it cannot be loaded).
    const QImage& image_of(const QString& rel);

    // Single line, vertically centred; centred horizontally (layout::kCentred) or indented.
    void label(const layout::Rect& r, const QString& text, int indent);
    void label(const layout::Rect& r, const QString& text, int indent, const QFont& font);

    // Darkens what lies in r, for a control that cannot be used now.
    void dim(const layout::Rect& r);

    // The region drawn since the last take; the window repaints just that.
    QRect take_dirty();
    void mark_dirty(const QRect& r) { dirty_ |= r; }

  private:
    // Decoded images, kept while their file stays the same (size and modification time), so a
    // skin edited while the program runs still shows. The least recently drawn go first past a
    // budget that holds the shipped skin's working set at 2x (about 28 MB), so that no skin,
    // whatever the size of its images, takes the window past its memory ceiling.
    static constexpr qint64 kCacheBudget = qint64{32} << 20;
    struct Cached {
        QDateTime modified;
        qint64 size = -1;
        QImage image;
        quint64 last_use = 0;
    };
    // Drops images until `bytes` more fit the budget.
    void make_room(qint64 bytes);

    QHash<QString, Cached> cache_;
    qint64 cached_bytes_ = 0;
    quint64 uses_ = 0;
    QString skin_dir_;
    TextColour colour_;
    WindowFonts fonts_;
    QImage image_;
    QRect dirty_;
};

}  // namespace p330::gui
