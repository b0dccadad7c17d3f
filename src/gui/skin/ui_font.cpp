#include "gui/skin/ui_font.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>

namespace p330::gui {

QFont CreateUiFont(int height, int weight, const QString& face) {
    QFont font;
    // The named face first; then faces that Linux desktops have, CJK-capable ones included.
    font.setFamilies({face, QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans"),
                      QStringLiteral("DejaVu Sans")});
    // The height is the character cell's (ascent + descent), not the em size: scale the em
    // so that the chosen face's cell comes out at that height, as the skin's layout expects.
    font.setPixelSize(height);
    const QFontMetricsF metrics(font);
    const qreal cell = metrics.ascent() + metrics.descent();
    if (cell > 0) font.setPixelSize(qMax(1, qRound(height * height / cell)));
    font.setWeight(weight <= 0 ? QFont::Normal
                               : static_cast<QFont::Weight>(qBound(100, weight, 900)));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont dialog_font(Language language, const QString& english_face, int english_height,
                  int english_weight) {
    switch (language) {
        case Language::kSimplifiedChinese: return CreateUiFont(13, 400, QStringLiteral("宋体"));
        case Language::kTraditionalChinese: return CreateUiFont(14, 400, QStringLiteral("黑体"));
        case Language::kEnglish: break;
    }
    return CreateUiFont(english_height, english_weight, english_face);
}

WindowFonts single_font(const QFont& font) {
    return {font, font, font};
}

WindowFonts main_window_fonts(Language language) {
    switch (language) {
        case Language::kSimplifiedChinese:
            return {CreateUiFont(13, 400, QStringLiteral("宋体")),
                    CreateUiFont(18, 700, QStringLiteral("宋体")),
                    CreateUiFont(13, 0, QStringLiteral("Arial"))};
        case Language::kTraditionalChinese:
            return {CreateUiFont(14, 400, QStringLiteral("黑体")),
                    CreateUiFont(18, 700, QStringLiteral("黑体")),
                    CreateUiFont(13, 0, QStringLiteral("Arial"))};
        case Language::kEnglish: break;
    }
    return {CreateUiFont(15, 300, QStringLiteral("Segoe UI")),
            CreateUiFont(18, 700, QStringLiteral("Tahoma")),
            CreateUiFont(13, 0, QStringLiteral("Arial"))};
}

QFont font_to_fit(const QFont& font, const QString& text, int width, int height) {
    constexpr int kSmallestTextPixels = 8;
    QFont f = font;
    if (f.pixelSize() <= 0) return f;
    const int smallest = std::max(kSmallestTextPixels, font.pixelSize() * 2 / 3);
    const auto too_big = [&] {
        const QFontMetrics m(f);
        return m.horizontalAdvance(text) > width || (height > 0 && m.height() > height);
    };
    while (f.pixelSize() > smallest && too_big()) f.setPixelSize(f.pixelSize() - 1);
    return f;
}

}  // namespace p330::gui
