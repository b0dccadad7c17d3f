#pragma once
// A collapsible panel of the main window: a header with its title and, when expanded, a body
// image with the panel's contents below it. Panels edit the settings record they are given
// and paint onto the window's canvas; the window decides where each header goes.

#include <QObject>
#include <QSize>

#include "core/lang/language.h"
#include "core/model/settings_record.h"
#include "gui/layout/main_layout.h"
#include "gui/skin/skin_canvas.h"

class QWidget;

namespace p330::gui {

struct PanelContext {
    SkinCanvas& canvas;
    SettingsRecord& record;
    const UiTexts& texts;
    QWidget* window;  // the parent of a panel's real controls
};

class Panel : public QObject {
  public:
    Panel(PanelContext context, int left, int right, layout::TextRole title, const char* body)
        : ctx_(context), left_(left), right_(right), title_(title), body_(body) {}

    // The body image's size, read once when the main view is first set up.
    void measure_body();
    QSize body_size() const { return body_size_; }

    // Paints the header at `top` and, when expanded, the body and the contents; returns the
    // top of the next header.
    int paint(int top, bool expanded);
    layout::Rect header() const { return {left_, top_, right_, top_ + layout::kHeaderHeight}; }
    bool expanded() const { return expanded_; }

    // A click on the expanded panel; true when it changed something.
    virtual bool click(layout::Point) { return false; }
    // Destroys the panel's real controls (edit boxes, swatches), if it has any.
    virtual void close_controls() {}

  protected:
    // Draws the contents below the header's bottom b; the body is already drawn.
    virtual void paint_contents(int b) = 0;
    int header_bottom() const { return top_ + layout::kHeaderHeight; }

    PanelContext ctx_;

  private:
    int left_, right_;
    layout::TextRole title_;
    const char* body_;
    QSize body_size_;
    int top_ = 0;
    bool expanded_ = false;
};

}  // namespace p330::gui
