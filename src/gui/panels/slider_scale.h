#pragma once
// The 1..10 scale under a slider bar, as angle snap and the sensitivity bars draw it.

#include <QString>

#include "gui/layout/panel_layout.h"
#include "gui/skin/skin_canvas.h"

namespace p330::gui {

template <typename LabelRect>
void paint_slider_scale(SkinCanvas& canvas, LabelRect&& rect_of) {
    for (int k = 1; k <= layout::slider::kScaleCount; ++k)
        canvas.label(rect_of(k), QString::number(k), 0);
}

}  // namespace p330::gui
