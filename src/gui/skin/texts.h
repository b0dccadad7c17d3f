#pragma once
// Texts reach widgets from the core's tables through here, by role.

#include <QString>
#include <string_view>

#include "core/lang/language.h"

namespace p330::gui {

inline QString qtext(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString qtext(const UiTexts& texts, std::string_view UiTexts::*role) {
    return qtext(texts.*role);
}

}  // namespace p330::gui
