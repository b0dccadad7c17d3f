#pragma once
// The small modal dialogs' geometry: the key-capture dialogs and the macro-key dialog share
// a frame (close, OK and Cancel) and add their own fields.

#include <array>

#include "core/lang/dialog_texts.h"
#include "gui/layout/focus_role.h"
#include "gui/layout/geometry.h"

namespace p330::layout {

namespace dialog {
// The key-capture dialogs' size, their background's and the plain fallback's alike.
constexpr Rect kKeyCaptureFrame{0, 0, 380, 285};
constexpr Rect kClose{352, 6, 370, 24};
constexpr Rect kOk{250, 250, 308, 275};
constexpr Rect kCancel{314, 250, 372, 275};
constexpr const char* kCloseNormal = "/button-close-normal.png";
constexpr const char* kCloseOver = "/button-close-over.png";
constexpr const char* kButtonNormal = "/MacroManagement/button-new-normal.png";
constexpr const char* kButtonOver = "/MacroManagement/button-new-over.png";
// The frame's stops, after the dialog's own: OK and Cancel (named by the dialog's texts) and
// the close button. Their ids follow the dialog's own.
enum class Stop : std::uint8_t { kOkButton, kCancelButton, kCloseButton };
constexpr int kFrameIds = 100;
inline constexpr DialogStop<Stop, AccessTexts> kFocusOrder[] = {
    {Stop::kOkButton, StopRole::kButton, kOk},
    {Stop::kCancelButton, StopRole::kButton, kCancel},
    {Stop::kCloseButton, StopRole::kButton, kClose, &AccessTexts::close},
};
}  // namespace dialog

namespace single_key {
constexpr const char* kBackground = "/single-key.png";
constexpr Rect kKeyName{74, 129, 150, 143};
constexpr Rect kPrompt{34, 103, 180, 123};
// The captured key's name: Tab is a key there, Ctrl+Tab leaves it.
enum class Stop : std::uint8_t { kCapturedKey };
inline constexpr DialogStop<Stop, SingleKeyDialogTexts> kFocusOrder[] = {
    {Stop::kCapturedKey, StopRole::kStaticText, kKeyName, nullptr, &AccessTexts::captured_key},
};
}  // namespace single_key

namespace combo_key {
constexpr const char* kBackground = "/combo-key.png";
constexpr Rect kModifier{50, 70, 116, 84};
constexpr Rect kModifierArea{50, 70, 132, 84};
constexpr Rect kModifierList{50, 87, 132, 227};
constexpr Rect kFirstKey{50, 120, 131, 134};
constexpr Rect kSecondKey{50, 170, 131, 184};
// Where a key box's text goes: the boxes are frameless line edits, which keep their text this
// far inside each side.
constexpr int kKeyBoxMargin = 2;
constexpr Rect key_text(const Rect& box) {
    return {box.left + kKeyBoxMargin, box.top, box.right - kKeyBoxMargin, box.bottom};
}
// The modifier's list, then the two key boxes (real controls).
enum class Stop : std::uint8_t { kModifierBox, kFirstKeyBox, kSecondKeyBox };
inline constexpr DialogStop<Stop, ComboKeyDialogTexts> kFocusOrder[] = {
    {Stop::kModifierBox, StopRole::kComboBox, kModifierArea, nullptr, &AccessTexts::modifier},
    {Stop::kFirstKeyBox, StopRole::kEditableText, kFirstKey, nullptr, &AccessTexts::first_key},
    {Stop::kSecondKeyBox, StopRole::kEditableText, kSecondKey, nullptr, &AccessTexts::second_key},
};
}  // namespace combo_key

namespace macro_key {
constexpr Rect kFrame{0, 0, 400, 285};
constexpr const char* kBackground = "/macro-key.png";
constexpr Rect kChosen{42, 128, 136, 144};
constexpr Rect kDropArea{42, 128, 151, 144};
constexpr Rect kList{42, 146, 151, 238};  // inside the left panel, clear of the bottom edge
constexpr Rect kHeading{12, 112, 181, 128};
constexpr std::array<Rect, 3> kTicks = {
    {{220, 78, 236, 94}, {220, 128, 236, 144}, {220, 178, 236, 194}}};
// Three lines of text each, centred on their tick box.
constexpr std::array<Rect, 3> kModeTexts = {
    {{240, 62, 390, 110}, {240, 112, 390, 160}, {240, 162, 390, 210}}};
constexpr const char* kTicked = "/PaneMakingTick.png";
constexpr const char* kUnticked = "/Pane.png";
// The macro's list, then the three repeat modes (named by their texts, in tick order).
enum class Stop : std::uint8_t { kMacro, kMode1, kMode2, kMode3 };
inline constexpr DialogStop<Stop, MacroKeyDialogTexts> kFocusOrder[] = {
    {Stop::kMacro, StopRole::kComboBox, kDropArea, &MacroKeyDialogTexts::heading},
    {Stop::kMode1, StopRole::kRadioButton, kTicks[0]},
    {Stop::kMode2, StopRole::kRadioButton, kTicks[1]},
    {Stop::kMode3, StopRole::kRadioButton, kTicks[2]},
};
}  // namespace macro_key

}  // namespace p330::layout
