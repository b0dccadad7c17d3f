#pragma once
// The few real controls over the canvas: edit boxes and colour swatches, placed at their
// layout rectangles and styled from the skin.

#include <QColor>
#include <QString>

#include "gui/layout/geometry.h"

class QLineEdit;
class QWidget;

namespace p330::gui {

class SkinCanvas;

// A single-line box with centred text in the normal font and the skin's text colour on grey.
// It takes digits only, and a leading minus where a negative entry has a meaning, so what it
// shows after its panel's rule is always a number.
QLineEdit* make_edit_box(QWidget* parent, const layout::Rect& r, const SkinCanvas& canvas,
                         bool takes_minus = false);
// A box filled with one colour that lets clicks through to the window.
QWidget* make_swatch(QWidget* parent, const layout::Rect& r, const QColor& colour);
void set_swatch_colour(QWidget* swatch, const QColor& colour);

// Digits only (possibly none yet): a number the user may still be typing.
bool is_partial_number(const QString& text);

}  // namespace p330::gui
