#pragma once
// The names a screen reader reads for the window's elements that show no text of their own
// (the DPI stages' bars, boxes and colours, the title-bar buttons, the key-capture boxes).
// "{n}" stands for a stage's number.

#include <string_view>

#include "core/lang/language.h"

namespace p330 {

struct AccessTexts {
    std::string_view stage, stage_dpi, stage_colour;
    std::string_view help, minimise, close;
    std::string_view captured_key, modifier, first_key, second_key;
    std::string_view page;   // the right column's scroll thumb
    std::string_view saved;  // said once a Save has reached the mouse and the profile
};

const AccessTexts& access_texts(Language language);

}  // namespace p330
