#pragma once
// The frame of the small skinned dialogs: a close button, OK and Cancel, each with its hover
// look, over the dialog's background. Enter and Esc never end it; the owner's keys do.

#include <QTimer>

#include "gui/layout/geometry.h"
#include "gui/skin/skinned_dialog.h"

namespace p330::gui {

class OkCancelDialog : public SkinnedDialog {
    Q_OBJECT
  public:
    OkCancelDialog(QWidget* parent, QString skin_dir, TextColour colour, WindowFonts fonts,
                   QString ok, QString cancel);

  protected:
    // The close button and the two buttons with their texts.
    void paint_frame();
    // A click the frame did not take.
    virtual void click(layout::Point) {}
    // OK ends the dialog only while this holds; meanwhile it shows its grey look.
    virtual bool can_accept() const { return true; }
    void set_drag_on_click(bool drag) { drag_on_click_ = drag; }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    enum Hover { kNone, kClose, kOk, kCancel };
    void paint_part(Hover part, bool over);
    Hover part_at(layout::Point p) const;

    QString ok_, cancel_;
    Hover hover_ = kNone;
    Hover candidate_ = kNone;
    QTimer hover_timer_;
    bool drag_on_click_ = false;
};

}  // namespace p330::gui
