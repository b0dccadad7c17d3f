#include "gui/panels/panel.h"

#include "gui/skin/texts.h"

namespace p330::gui {

void Panel::measure_body() {
    // Through the canvas's loader, which refuses a FIFO in the skin instead of waiting on it.
    // In window pixels: a 2x image holds twice as many.
    body_size_ = ctx_.canvas.image_of(QString::fromLatin1(body_)).deviceIndependentSize().toSize();
}

int Panel::paint(int top, bool expanded) {
    top_ = top;
    expanded_ = expanded;
    ctx_.canvas.draw(layout::kHeaderImage, {left_, top});
    ctx_.canvas.label(header(), qtext(ctx_.texts, title_), layout::kHeaderIndent);
    const int b = header_bottom();
    if (!expanded) {
        close_controls();
        return b + layout::kPanelGap;
    }
    ctx_.canvas.draw(body_, {left_, b});
    paint_contents(b);
    return b + body_size_.height() + layout::kPanelGap;
}

}  // namespace p330::gui
