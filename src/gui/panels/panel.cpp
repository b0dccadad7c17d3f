#include "gui/panels/panel.h"

#include "gui/skin/skin_image.h"
#include "gui/skin/texts.h"

namespace p330::gui {

void Panel::measure_body() {
    // From the image's header, checked as the loader checks it (a FIFO is refused, not waited
    // on): the body is decoded only when its panel is first opened. In window pixels.
    body_size_ = skin_image_size(ctx_.canvas.path(QString::fromLatin1(body_))).window;
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
