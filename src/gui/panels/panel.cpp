#include "gui/panels/panel.h"

#include <QImageReader>

#include "gui/skin/texts.h"

namespace p330::gui {

void Panel::measure_body() {
    const QSize size = QImageReader(ctx_.canvas.path(QString::fromLatin1(body_))).size();
    body_size_ = size.isValid() ? size : QSize(0, 0);
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
