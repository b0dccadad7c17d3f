#pragma once
// A dialog painted from its skin: the background image is both its size and its canvas;
// everything is drawn onto the canvas and what changed is copied to the window.

#include <QDialog>
#include <QImage>
#include <QSize>

#include "gui/skin/skin_canvas.h"

namespace p330::gui {

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

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Copies what was drawn since the last flush to the window.
    void flush();

  private:
    SkinCanvas skin_;
};

}  // namespace p330::gui
