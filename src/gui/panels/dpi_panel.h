#pragma once
// "DPI Setting": four stages, each with a value bar, an edit box in DPI and a colour swatch.

#include <QColor>
#include <array>
#include <functional>
#include <optional>

#include "gui/panels/panel.h"

class QLineEdit;
class QWidget;

namespace p330::gui {

class DpiPanel : public Panel {
  public:
    explicit DpiPanel(PanelContext context);
    ~DpiPanel() override;

    bool click(layout::Point p) override;
    void close_controls() override;

    // The colour picker, started at the stage's colour; the system's dialog unless replaced.
    std::function<std::optional<QColor>(QWidget* parent, const QColor& now)> choose_colour;

    QLineEdit* box(int stage) const { return boxes_[stage]; }
    QWidget* swatch(int stage) const { return swatches_[stage]; }

  protected:
    void paint_contents(int b) override;

  private:
    void create_controls();
    void box_changed(int stage);
    void box_finished(int stage);
    void paint_bar(int stage);

    std::array<QLineEdit*, 4> boxes_{};
    std::array<QWidget*, 4> swatches_{};
    bool programmatic_ = false;  // the program itself is writing a box
};

// A chosen colour as the record keeps it: red, blue, green.
void store_stage_colour(SettingsRecord& record, int stage, const QColor& colour);
QColor stage_colour(const SettingsRecord& record, int stage);

}  // namespace p330::gui
