#pragma once
// What a focus stop is to a screen reader, and a dialog's focus order as a table: a row per
// stop in the order Tab walks them, each with its role, its rectangle and the text that names
// it. The dialogs build their stops from their rows; a stop's id is its row's `stop` + 1, so
// the focus keeps its stop when the dialog rebuilds its list.

#include <cstdint>
#include <string_view>

#include "core/lang/access_texts.h"
#include "gui/layout/geometry.h"

namespace p330::layout {

enum class StopRole : std::uint8_t {
    kButton,
    kList,
    kCheckBox,
    kRadioButton,
    kComboBox,
    kEditableText,
    kSpinBox,
    kSlider,
    kDial,
    kPageTab,
    kStaticText,
};

template <typename Stop, typename Texts>
struct DialogStop {
    Stop stop;  // what the dialog does there
    StopRole role;
    Rect rect;
    std::string_view Texts::*text = nullptr;          // its name from the dialog's texts, or
    std::string_view AccessTexts::*access = nullptr;  // from the screen reader's
};

template <typename Stop>
constexpr int dialog_stop_id(Stop stop) {
    return static_cast<int>(stop) + 1;
}

}  // namespace p330::layout
