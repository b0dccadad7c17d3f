#pragma once
// The main window's geometry, written once: every fixed element with its rectangle, images,
// label and click action; the two columns' headers and bodies; the button rows and the mouse
// picture's callouts. The window paints and hit-tests from these tables and the skin
// generator composes main.png from them.

#include <array>
#include <string_view>

#include "core/buttons/function_catalogue.h"
#include "core/lang/language.h"
#include "gui/layout/geometry.h"

namespace p330::layout {

using TextRole = std::string_view UiTexts::*;

constexpr int kCentred = -1;  // label alignment: centred instead of indented by n pixels

enum class Action {
    kNone,
    kHelp,
    kHide,
    kClose,
    kReset,
    kCancel,
    kSave,
    kConfig,
    kFrontTab,
    kSideTab,
    kButtonAssignment,
    kMacroManager,
    kSensitivity,
};

// Hover groups: within a group, one element shows its "-over" image at a time.
enum class HoverGroup { kNone, kTitle, kBottom, kConfig };

struct Element {
    Rect rect;
    const char* normal;  // drawn at the rectangle's top-left; null: nothing drawn
    const char* over;    // the hover look; null: no hover
    TextRole label;      // null: no label
    int indent;          // kCentred or pixels from the left edge
    Action action;
    HoverGroup hover;
};

constexpr Rect kWindowRect{0, 0, 1000, 648};  // the size of main.png

constexpr Element kBackground{{0, 0, 1000, 648}, "/main.png",      nullptr, nullptr, 0,
                              Action::kNone,     HoverGroup::kNone};
constexpr Element kLogo{{20, 32, 262, 102}, "/Logo.png",      nullptr, nullptr, 0,
                        Action::kNone,      HoverGroup::kNone};
constexpr Element kScrollTrack{{984, 32, 991, 595}, "/Bar1.png",      nullptr, nullptr, 0,
                               Action::kNone,       HoverGroup::kNone};
constexpr Element kHelpButton{
    {937, 5, 952, 20}, "/button-help-normal.png", "/button-help-over.png", nullptr, 0,
    Action::kHelp,     HoverGroup::kTitle};
constexpr Element kHideButton{
    {958, 5, 973, 20}, "/button-min-normal.png", "/button-min-over.png", nullptr, 0,
    Action::kHide,     HoverGroup::kTitle};
constexpr Element kCloseButton{
    {979, 5, 994, 20}, "/button-close-normal.png", "/button-close-over.png", nullptr, 0,
    Action::kClose,    HoverGroup::kTitle};
constexpr Element kResetButton{{798, 604, 855, 634},
                               "/button-cancel-normal.png",
                               "/button-cancel-over.png",
                               &UiTexts::reset,
                               kCentred,
                               Action::kReset,
                               HoverGroup::kBottom};
constexpr Element kCancelButton{{860, 604, 917, 634},
                                "/button-cancel-normal.png",
                                "/button-cancel-over.png",
                                &UiTexts::cancel,
                                kCentred,
                                Action::kCancel,
                                HoverGroup::kBottom};
constexpr Element kSaveButton{{923, 604, 980, 634},
                              "/button-save-normal.png",
                              "/button-save-over.png",
                              &UiTexts::save,
                              kCentred,
                              Action::kSave,
                              HoverGroup::kBottom};
constexpr Element kConfigButton{{18, 604, 90, 634},
                                "/button-config-normal.png",
                                "/button-config-over.png",
                                &UiTexts::config,
                                25,
                                Action::kConfig,
                                HoverGroup::kConfig};
constexpr Element kFrontTab{
    {437, 527, 499, 556}, "/button-mouse-leave.png", nullptr, &UiTexts::front, kCentred,
    Action::kFrontTab,    HoverGroup::kNone};
constexpr Element kSideTab{
    {500, 527, 562, 556}, "/button-mouse-normal.png", nullptr, &UiTexts::side, kCentred,
    Action::kSideTab,     HoverGroup::kNone};
constexpr const char* kTabSelected = "/button-mouse-leave.png";
constexpr const char* kTabIdle = "/button-mouse-normal.png";

constexpr Element kMouseArea{{262, 32, 734, 450}, "/BK_MainMid.png", nullptr, nullptr, 0,
                             Action::kNone,       HoverGroup::kNone};
constexpr Point kFrontPicture{335, 58};
constexpr const char* kFrontPictureImage = "/Mouse/Front/MouseFront.png";
constexpr Point kSidePicture{362, 59};
constexpr const char* kSidePictureImage = "/Mouse/Side/MouseSide.png";

constexpr Rect kThumbStart{984, 32, 991, 146};
constexpr int kTrackTop = 32;
constexpr int kTrackBottom = 595;

// Everything a click can reach regardless of the columns' state.
constexpr std::array<const Element*, 9> kFixedClickable = {
    &kHelpButton, &kHideButton,   &kCloseButton, &kResetButton, &kCancelButton,
    &kSaveButton, &kConfigButton, &kFrontTab,    &kSideTab};

// The elements hover acts on, in paint order.
constexpr std::array<const Element*, 7> kHoverable = {&kResetButton, &kCancelButton, &kSaveButton,
                                                      &kHelpButton,  &kHideButton,   &kCloseButton,
                                                      &kConfigButton};

// The mouse picture's callouts, buttons 1..8, in the front and the side view.
constexpr std::array<Rect, 8> kFrontCallouts = {{{335, 100, 429, 162},
                                                 {335, 163, 478, 188},
                                                 {335, 189, 478, 214},
                                                 {335, 227, 400, 252},
                                                 {335, 262, 406, 287},
                                                 {515, 100, 609, 162},
                                                 {473, 176, 609, 201},
                                                 {473, 250, 609, 275}}};
constexpr std::array<Rect, 8> kSideCallouts = {{{362, 80, 469, 105},
                                                {362, 160, 503, 185},
                                                {362, 186, 516, 211},
                                                {362, 220, 480, 245},
                                                {362, 265, 482, 290},
                                                {480, 88, 582, 150},
                                                {509, 171, 582, 196},
                                                {533, 250, 582, 275}}};

// Left column ---------------------------------------------------------------------------------

constexpr Point kLeftBackground{20, 107};
constexpr const char* kLeftBackgroundImage = "/BK_MainLeft.png";
constexpr const char* kHeaderImage = "/ItemBK.png";
constexpr int kHeaderIndent = 10;
constexpr int kHeaderHeight = 20;
constexpr int kPanelGap = 5;

constexpr Element kButtonAssignmentHeader{{20, 107, 262, 127},
                                          kHeaderImage,
                                          nullptr,
                                          &UiTexts::button_assignment,
                                          kHeaderIndent,
                                          Action::kButtonAssignment,
                                          HoverGroup::kNone};
constexpr Element kMacroManagerItem{
    {20, 132, 262, 170}, "/MacroManagementBK.png", nullptr,          &UiTexts::macro_manager,
    kHeaderIndent,       Action::kMacroManager,    HoverGroup::kNone};
constexpr Element kSensitivityHeader{
    {20, 175, 262, 195}, kHeaderImage,         nullptr,          &UiTexts::sensitivity_setting,
    kHeaderIndent,       Action::kSensitivity, HoverGroup::kNone};
constexpr const char* kButtonAssignmentBody = "/ButtonAssignment/BK_ButtonAssignment.png";
constexpr const char* kSensitivityBody = "/XYSensitivity/BK_XYSensSetting.png";

// Button rows, i = 0..7 (button i + 1), while "Button Assignment" is expanded.
constexpr Rect button_row_label(int i) {
    return {31, 156 + 20 * i, 115, 170 + 20 * i};
}
constexpr Rect dropdown_box(int i) {
    return {120, 154 + 20 * i, 250, 170 + 20 * i};
}
// The drop-down arrow at the box's right end (the skin draws it there).
constexpr Rect dropdown_arrow(int i) {
    const Rect box = dropdown_box(i);
    return {box.right - 13, box.top + 5, box.right - 5, box.bottom - 5};
}
// The box's label: inside its border and a clear gap before the arrow, so that a label
// that fills it does not read as running into the arrow.
constexpr int kDropdownLabelGap = 4;
constexpr Rect dropdown_label(int i) {
    const Rect box = dropdown_box(i);
    return {box.left + kDropdownLabelGap, box.top, dropdown_arrow(i).left - kDropdownLabelGap,
            box.bottom};
}
// Where the row's function list opens, to the right of its box.
constexpr Rect function_list_area(int i) {
    return {262, 154 + 20 * i, 365, 384 + 20 * i};
}
// The sub-lists beside a function list's entry: their designed sizes, widened at run time
// where an entry would be cut.
struct SubListPlace {
    SubListId id;
    int width, height;
    bool upward;  // opens upward from the list's right edge, else beside the entry
};
constexpr SubListPlace kSubListPlaces[] = {
    {SubListId::kScrollSelect, 125, 60, false}, {SubListId::kCpiCycle, 66, 60, false},
    {SubListId::kMultimedia, 90, 130, true},    {SubListId::kHotKey, 60, 162, true},
    {SubListId::kWindows, 100, 114, true},
};
constexpr const SubListPlace& sub_list_place(SubListId id) {
    for (const SubListPlace& p : kSubListPlaces) {
        if (p.id == id) return p;
    }
    return kSubListPlaces[0];
}
// Entries 16 pixels high: the fourteen functions fill their list without scrolling.
constexpr int kListEntryHeight = 16;
constexpr int kListEntryPadding = 8;  // the list's margins around an entry's text
constexpr const char* kDropdownNormal = "/ButtonAssignment/DropdownBox-normal.png";
constexpr const char* kDropdownOver = "/ButtonAssignment/DropdownBox-over.png";
constexpr const char* kDropdownChosen = "/ButtonAssignment/DropdownBox-leave.png";

// Right column --------------------------------------------------------------------------------

constexpr int kRightPanelCount = 7;
constexpr int kRightLeft = 734;
constexpr int kRightRight = 976;
constexpr Point kRightBackground{734, 32};
constexpr const char* kRightBackgroundImage = "/BK_MainRight.png";

enum RightPanel {
    kDpi,
    kLighting,
    kReportRate,
    kMouseSpeed,
    kDoubleClick,
    kScrollSpeed,
    kAngleSnap
};

struct RightPanelInfo {
    TextRole title;
    const char* body;
    int initial_top;
};
constexpr std::array<RightPanelInfo, kRightPanelCount> kRightPanels = {{
    {&UiTexts::dpi_setting, "/DPISetting/BK_DPISetting.png", 32},
    {&UiTexts::lighting, "/Lighting/BK_Lighting.png", 57},
    {&UiTexts::usb_report_rate, "/USBReportRate/BK_USBReportRate.png", 82},
    {&UiTexts::mouse_speed, "/MouseAttribute/BK_MouseAttribute.png", 107},
    {&UiTexts::double_click_speed, "/MouseAttribute/BK_MouseAttribute.png", 132},
    {&UiTexts::scroll_speed, "/MouseAttribute/BK_ScrollSpeed.png", 157},
    {&UiTexts::angle_snap, "/AngleSnap/BK_AngleSnap.png", 182},
}};

constexpr Rect right_header(int top) {
    return {kRightLeft, top, kRightRight, top + kHeaderHeight};
}

}  // namespace p330::layout
