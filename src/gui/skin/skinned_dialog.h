#pragma once
// A dialog painted from its skin: the background image is both its size and its canvas;
// everything is drawn onto the canvas and the canvas is copied to the window once per paint.

#include <QDialog>
#include <QImage>
#include <optional>

namespace p330::gui {

class SkinnedDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SkinnedDialog(QWidget* parent = nullptr);

    // Loads the background, sizes the dialog to it and keeps it as the canvas. On failure
    // shows "error" with the caption, leaves the dialog empty and ends it as if cancelled.
    bool LoadDialogBackground(const QString& path, const QString& failure_caption);
    QImage& canvas() { return canvas_; }
    bool has_canvas() const { return !canvas_.isNull(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage canvas_;
};

}  // namespace p330::gui
