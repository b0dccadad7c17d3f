#pragma once
// The frame of the small skinned dialogs: a close button, OK and Cancel, each with its hover
// look, over the dialog's background. Tab walks the dialog's own stops, then OK, Cancel and
// the close button; Enter or Space presses the stop with the focus, Esc is Cancel, and Enter
// never ends the dialog by itself (a dialog that captures keys takes Enter and Esc while its
// capture box has the focus).

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
    // The dialog's own stops, before OK, Cancel and the close button.
    virtual void add_stops(FocusStops&) {}
    FocusStops focus_stops() override;
    // The screen reader's name of the close button, in the dialog's language.
    void set_close_name(QString name) { close_name_ = std::move(name); }
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
    QString close_name_ = QStringLiteral("Close");
};

}  // namespace p330::gui
