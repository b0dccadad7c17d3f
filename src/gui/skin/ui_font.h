#pragma once
// Fonts of the skinned windows: the face, pixel height and weight the language asks for,
// with fallbacks that carry the Chinese characters on Linux desktops.

#include <QFont>
#include <QString>

#include "core/lang/language.h"

namespace p330::gui {

QFont CreateUiFont(int height, int weight, const QString& face);

struct WindowFonts {
    QFont normal;
    QFont bold;
    QFont small;  // "Arial" 13: the lighting scale
};
// A dialog's font: the language's face and height, or for English the dialog's own.
QFont dialog_font(Language language, const QString& english_face, int english_height,
                  int english_weight = 400);
// WindowFonts whose every font is the one given.
WindowFonts single_font(const QFont& font);

// The font made smaller, down to two thirds of its size, until text fits width pixels: the
// skin's rectangles were made for shorter texts than some languages and keys have.
// With a height, also until a line of it is no taller.
QFont font_to_fit(const QFont& font, const QString& text, int width, int height = 0);

// The main window's fonts for a language (simplified Chinese as on systems other than
// Windows 6.2).
WindowFonts main_window_fonts(Language language);

}  // namespace p330::gui
