#pragma once
// A dialog painted from its skin: the background image is both its size and its canvas;
// everything is drawn onto the canvas and what changed is copied to the window. Tab walks the
// dialog's focus stops (painted parts and real controls) and the stop with the focus shows
// the skin's focus mark.

#include <QDialog>
#include <QImage>
#include <QSize>

#include "gui/access/focus_stop.h"
#include "gui/skin/skin_canvas.h"

namespace p330::gui {

class FocusRing;

class SkinnedDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SkinnedDialog(QWidget* parent = nullptr, QString skin_dir = {}, TextColour colour = {},
                           WindowFonts fonts = {});

    // Loads the background, sizes the dialog to it and keeps it as the canvas. On failure
    // shows "error" with the caption; then, given a fallback size, the dialog opens plain at
    // that size (its buttons still work), else it ends at once as if cancelled.
    bool LoadDialogBackground(const QString& path, const QString& failure_caption,
                              QSize fallback = {});
    QImage& canvas() { return skin_.image(); }
    SkinCanvas& skin() { return skin_; }
    bool has_canvas() const { return skin_.valid(); }
    FocusRing& focus_ring() const { return *focus_; }

  protected:
    // The dialog's stops in reading order; none: Tab walks the real controls as Qt does.
    virtual FocusStops focus_stops() { return {}; }
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // Copies what was drawn since the last flush to the window.
    void flush();

  private:
    SkinCanvas skin_;
    FocusRing* focus_ = nullptr;  // made first: screen readers look for it
};

}  // namespace p330::gui
