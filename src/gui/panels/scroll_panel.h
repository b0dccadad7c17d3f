#pragma once
// "Scroll Speed": lines or a screen per notch, and the number of lines.

#include "gui/panels/panel.h"

class QLineEdit;

namespace p330::gui {

// "Scroll Speed": lines or a screen per notch, and the number of lines.
class ScrollPanel : public Panel {
  public:
    explicit ScrollPanel(PanelContext context);
    ~ScrollPanel() override;
    bool click(layout::Point p) override;
    void close_controls() override;
    QLineEdit* box() const { return box_; }

  protected:
    void paint_contents(int b) override;

  private:
    void paint_markers();
    void box_changed();
    void box_finished();
    void set_lines(int lines);
    QLineEdit* box_ = nullptr;
    bool programmatic_ = false;
};

}  // namespace p330::gui
