#pragma once
// Geometry of the macro manager, the profile manager and the help panel, written once: the
// dialogs hit-test and paint from here and the skin generator draws their images to fit.

#include <array>

#include "core/lang/dialog_texts.h"
#include "gui/layout/focus_role.h"
#include "gui/layout/geometry.h"

namespace p330::layout {

namespace macro_manager {
constexpr const char* kBackground = "/MacroManagement/MacroManagement.png";
constexpr Rect kWindow{0, 0, 500, 440};  // the background's size, also without it
constexpr Rect kMacroList{21, 82, 130, 353};
constexpr Rect kItemList{153, 82, 262, 353};
constexpr Rect kLoopBox{298, 333, 379, 345};

constexpr Rect kOk{298, 394, 352, 422};
constexpr Rect kCancel{354, 394, 408, 422};
constexpr Rect kClose{427, 17, 478, 41};
constexpr Rect kNew{17, 367, 75, 392};
constexpr Rect kDelete{77, 367, 135, 392};
constexpr Rect kRecord{295, 87, 384, 111};
constexpr Rect kRecordText{311, 87, 384, 111};  // right of the button's red dot
constexpr Rect kDelaysTick{370, 144, 384, 158};
// Tall enough for the option's text in four lines, centred on its tick box.
constexpr Rect kDelaysText{290, 118, 368, 184};
constexpr Rect kLoopTick{296, 314, 310, 328};
constexpr Rect kLoopText{312, 306, 397, 330};
// The selected macro's room in the mouse's block, between the two options.
constexpr Rect kPairsText{286, 192, 392, 300};

constexpr Rect kTitle{0, 0, 414, 31};
constexpr Rect kMacroHeading{16, 60, 134, 78};
constexpr Rect kItemHeading{148, 60, 266, 78};
constexpr Rect kOptionsHeading{279, 60, 397, 78};

constexpr const char* kWideNormal = "/MacroManagement/button-cancel-normal.png";
constexpr const char* kWideOver = "/MacroManagement/button-cancel-over.png";
constexpr const char* kSmallNormal = "/MacroManagement/button-new-normal.png";
constexpr const char* kSmallOver = "/MacroManagement/button-new-over.png";
constexpr const char* kCloseNormal = "/macro-button-close-normal.png";
constexpr const char* kCloseOver = "/macro-button-close-over.png";
constexpr const char* kRecordImage = "/MacroManagement/Record-normal.png";
constexpr const char* kUnticked = "/MacroManagement/Pane.png";
constexpr const char* kTicked = "/MacroManagement/PaneMakingTick.png";

// The focus order: the macros, their buttons, the items, then the options, OK, Cancel and
// the close button. Without its lists (no background) the dialog has OK, Cancel and close.
enum class Stop : std::uint8_t {
    kMacros,
    kNewButton,
    kDeleteButton,
    kItems,
    kRecordButton,  // named "Stop Recording" while it records
    kDelays,
    kLoop,
    kLoopCount,  // while the loop option is on
    kOkButton,
    kCancelButton,
    kCloseButton
};
using Texts = MacroManagerTexts;
inline constexpr DialogStop<Stop, Texts> kFocusOrder[] = {
    {Stop::kMacros, StopRole::kList, kMacroList, &Texts::macro_list_heading},
    {Stop::kNewButton, StopRole::kButton, kNew, &Texts::new_button},
    {Stop::kDeleteButton, StopRole::kButton, kDelete, &Texts::delete_button},
    {Stop::kItems, StopRole::kList, kItemList, &Texts::item_list_heading},
    {Stop::kRecordButton, StopRole::kButton, kRecord, &Texts::start_recording},
    {Stop::kDelays, StopRole::kCheckBox, kDelaysTick, &Texts::record_delays_option},
    {Stop::kLoop, StopRole::kCheckBox, kLoopTick, &Texts::loop_option},
    {Stop::kLoopCount, StopRole::kEditableText, kLoopBox, &Texts::loop_option},
    {Stop::kOkButton, StopRole::kButton, kOk, &Texts::ok},
    {Stop::kCancelButton, StopRole::kButton, kCancel, &Texts::cancel},
    {Stop::kCloseButton, StopRole::kButton, kClose, nullptr, &AccessTexts::close},
};
}  // namespace macro_manager

namespace profile_manager {
constexpr const char* kBackground = "/Config/Config.png";
constexpr Point kOrigin{0, 0};  // in the main window, over its left column
constexpr Rect kWindow{0, 0, 263, 598};
constexpr Rect kTitle{10, 0, 236, 31};  // up to the close button: no title is cut
constexpr Rect kClose{240, 8, 255, 23};
constexpr Rect kList{0, 31, 263, 575};
constexpr Rect kNew{0, 575, 263, 598};
constexpr Point kNewIcon{14, 582};
constexpr Rect kNewText{30, 575, 80, 598};
constexpr const char* kNewIconImage = "/Config/New-Config.png";
constexpr const char* kCloseNormal = "/button-close-normal.png";
constexpr const char* kCloseOver = "/button-close-over.png";
constexpr int kAlpha = 178;

// The focus order: the list (while the panel has it), New, the close button.
enum class Stop : std::uint8_t { kProfiles, kNewButton, kCloseButton };
using Texts = ProfileManagerTexts;
inline constexpr DialogStop<Stop, Texts> kFocusOrder[] = {
    {Stop::kProfiles, StopRole::kList, kList, &Texts::title},
    {Stop::kNewButton, StopRole::kButton, kNew, &Texts::new_button},
    {Stop::kCloseButton, StopRole::kButton, kClose, nullptr, &AccessTexts::close},
};
}  // namespace profile_manager

namespace help {
constexpr const char* kBackground = "/Help/HelpWindow.png";
constexpr Point kOrigin{786, 25};  // in the main window, below its help button
constexpr Rect kWindow{0, 0, 200, 80};
constexpr Rect kWebLine{0, 0, 166, 25};
constexpr Rect kUpdateLine{0, 26, 166, 49};
constexpr Rect kVersionLine{0, 50, 166, 77};
// Outside the shipped background: they react only in a skin that shows them.
constexpr Rect kClose{352, 6, 370, 24};
constexpr Rect kOk{250, 250, 308, 275};
constexpr Rect kCancel{314, 250, 372, 275};
}  // namespace help

}  // namespace p330::layout
