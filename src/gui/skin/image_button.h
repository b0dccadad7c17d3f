#pragma once
// The image button of the skinned windows (the main window's scroll thumb): eight looks
// rendered once over a snapshot of the parent's background, and a vertical drag that keeps
// the button on its track.

#include <QAbstractButton>
#include <QImage>
#include <array>

namespace p330::gui {

// The track the thumb moves on, in the parent's coordinates: its top must stay above
// min_top_exclusive and its bottom below max_bottom_exclusive, its left at track_left.
struct ThumbTrack {
    int track_left = 984;
    int min_top_exclusive = 31;
    int max_bottom_exclusive = 596;
};

class ImageButton : public QAbstractButton {
    Q_OBJECT
  public:
    enum Look {
        kBackground,
        kStandard,
        kStandardPressed,
        kStandardHot,
        kAlternate,
        kAlternatePressed,
        kAlternateHot,
        kGreyscale
    };
    using Track = ThumbTrack;

    ImageButton(const QImage& standard, const QImage& alternate, QWidget* parent,
                ThumbTrack track = ThumbTrack());

    // The parent's background under the button, taken before the looks are built.
    void set_background(const QImage& background) { background_ = background; }
    void set_disabled_look(bool disabled) {
        disabled_ = disabled;
        update();
    }
    void set_toggle(bool toggle) { toggle_ = toggle; }
    const QImage& look(Look which);
    bool caches_built() const { return caches_built_; }
    bool dragging() const { return dragging_; }  // held by the pointer, until after its click
    static int shared_top;                       // the thumb's last top, as the paging reads it

  signals:
    void thumb_moved(int top);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void build_caches();
    QImage compose(const QImage& image, int dx, int dy) const;

    QImage standard_;
    QImage alternate_;
    QImage background_;
    Track track_;
    std::array<QImage, 8> looks_;
    bool caches_built_ = false;
    bool disabled_ = false;
    bool toggle_ = false;
    bool toggle_state_ = false;
    bool hover_ = true;  // as the original: set from the start, so the idle look is the hot one
    bool dragging_ = false;
    QPoint last_cursor_;
};

// The colour matrices of the looks: a slight brightening, and greyscale by luminance.
QImage brightened(const QImage& image);
QImage greyscale(const QImage& image);

}  // namespace p330::gui
