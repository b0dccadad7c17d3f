#pragma once
// The pointer panels: the two speed gauges, scrolling, angle snap (right column) and the
// X/Y sensitivity bars (left column).

#include <cstdint>

#include "gui/panels/panel.h"

class QLineEdit;

namespace p330::gui {

// "Mouse Speed" and "Double Click Speed": a half-ring gauge of levels 2..12.
class SpeedPanel : public Panel {
  public:
    SpeedPanel(PanelContext context, layout::TextRole title, std::uint8_t SettingsRecord::*field);
    bool click(layout::Point p) override;

  protected:
    void paint_contents(int b) override;

  private:
    void paint_gauge();
    std::uint8_t SettingsRecord::*field_;
};

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

// "Angle Snap": a picture of the snapping and a 1..10 bar.
class AngleSnapPanel : public Panel {
  public:
    explicit AngleSnapPanel(PanelContext context);
    bool click(layout::Point p) override;

  protected:
    void paint_contents(int b) override;

  private:
    void paint_level();
};

// "X/Y Sensitivity Setting" in the left column: two 1..11 bars.
class SensitivityPanel : public Panel {
  public:
    explicit SensitivityPanel(PanelContext context);
    bool click(layout::Point p) override;

  protected:
    void paint_contents(int b) override;

  private:
    std::uint8_t& level(int axis);
};

}  // namespace p330::gui
