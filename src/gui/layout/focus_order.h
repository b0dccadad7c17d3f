#pragma once
// The order the keyboard walks the main window in, as one table: a row per focus stop, in
// reading order (left column, the picture's tabs, right column, bottom buttons, title bar).
// A row says what the stop is (its shape, which gives its role to a screen reader), while
// what it is shown, where it is (a rectangle of the layout tables, from the columns as they
// are laid out) and what names it (its element's label, the setting's catalogue entry, or a
// text). The window builds its stops by walking the rows; the tests walk them too.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

#include "core/lang/access_texts.h"
#include "core/settings/settings_catalogue.h"
#include "gui/layout/accordion.h"
#include "gui/layout/focus_role.h"
#include "gui/layout/main_layout.h"
#include "gui/layout/panel_layout.h"

namespace p330::layout {

enum class StopShape : std::uint8_t {
    kHeader,    // opens and closes its body
    kButton,    // runs its element's action
    kTab,       // one of the picture's two views
    kDropdown,  // a button's function box: Enter or Down opens its list
    kDpiBar,    // a DPI stage, in steps of 50 DPI
    kDpiBox,    // a DPI stage's edit box (a real control), stepping the stage too
    kColour,    // a DPI stage's colour: opens the colour chooser
    kLightBar,  // a lighting mode's level, read as the scale under it reads
    kSlider,    // the 21-pixel sliders: X/Y sensitivity, angle snap
    kGauge,     // the speed gauges
    kDial,      // the report-rate dial: its four rates
    kMarker,    // one of a setting's choices (a radio button)
    kSpinBox,   // the scroll-lines box with its arrows (a real control)
};

constexpr StopRole role_of(StopShape shape) {
    switch (shape) {
        case StopShape::kDropdown: return StopRole::kComboBox;
        case StopShape::kTab: return StopRole::kPageTab;
        case StopShape::kDpiBar:
        case StopShape::kLightBar:
        case StopShape::kSlider: return StopRole::kSlider;
        case StopShape::kGauge:
        case StopShape::kDial: return StopRole::kDial;
        case StopShape::kDpiBox: return StopRole::kEditableText;
        case StopShape::kMarker: return StopRole::kRadioButton;
        case StopShape::kSpinBox: return StopRole::kSpinBox;
        default: return StopRole::kButton;
    }
}

// While what a row's stop is in the window.
enum class Shown : std::uint8_t {
    kAlways,
    kAssignmentOpen,   // "Button Assignment" expanded
    kSensitivityOpen,  // "X/Y Sensitivity Setting" expanded
    kRightHeader,      // always; a header of the other page is brought into view when reached
    kRightOpen,        // its right panel expanded and on the page shown
};

// The window as it is laid out now, for a row's rectangle.
struct StopPlace {
    LeftColumn left;
    Rect header;  // the row's right panel's header
    int body_width = 0;
};

using AccessText = std::string_view AccessTexts::*;

struct MainStop {
    StopShape shape = StopShape::kButton;
    Shown shown = Shown::kAlways;
    int panel = -1;                    // the right panel of a header or body row
    const Element* element = nullptr;  // its action and label
    SettingId setting{};               // a setting's control: its name and range
    int part = 0;                      // tells a setting's several stops apart
    int index = 0;                     // the button, axis, stage or mode of a run of rows
    TextRole text = nullptr;           // a name from the window's texts, or
    AccessText access = nullptr;       // from the screen reader's ("{n}": index + 1)
    // Markers: checked while this setting reads `when`.
    SettingId checks{};
    int when = 0;
    Rect (*place)(const StopPlace&, int index) = nullptr;
    // A right-column slider or gauge: its row of kLevelControls places it.
    const LevelControl* level = nullptr;

    bool is_setting() const { return element == nullptr && shown != Shown::kRightHeader; }
    Rect rect(const StopPlace& at) const {
        if (level != nullptr) return level->place(at.header.bottom, at.body_width);
        if (place != nullptr) return place(at, index);
        return element != nullptr ? element->rect : at.header;
    }
};

// The columns as they stand: which rows the window shows.
struct Columns {
    bool assignment = false;   // "Button Assignment" expanded
    bool sensitivity = false;  // "X/Y Sensitivity Setting" expanded
    RightFlags expanded{};
    RightColumn right;
};
constexpr bool shown(const MainStop& row, const Columns& c) {
    switch (row.shown) {
        case Shown::kAlways:
        case Shown::kRightHeader: return true;
        case Shown::kAssignmentOpen: return c.assignment;
        case Shown::kSensitivityOpen: return c.sensitivity;
        case Shown::kRightOpen:
            return c.right.visible[static_cast<std::size_t>(row.panel)] &&
                   c.expanded[static_cast<std::size_t>(row.panel)];
    }
    return false;
}

// Stop ids, derived rather than numbered: an element's from its action, a setting's control
// from its catalogue id and part, a right-column header from its panel. The focus keeps its
// stop by them across rebuilds.
constexpr int kHeaderIds = 100;
constexpr int kSettingIds = 1000;
constexpr int kPartsPerSetting = 4;
constexpr int stop_id(const MainStop& row) {
    if (row.shown == Shown::kRightHeader) return kHeaderIds + row.panel;
    if (row.element != nullptr) return 1 + static_cast<int>(row.element->action);
    return kSettingIds + kPartsPerSetting * static_cast<int>(row.setting) + row.part;
}

namespace focus_detail {

constexpr std::size_t kMaxMainStops = 64;
struct Rows {
    std::array<MainStop, kMaxMainStops> rows{};
    std::size_t count = 0;
    constexpr void add(const MainStop& row) { rows[count++] = row; }
};

constexpr MainStop element_row(StopShape shape, const Element& e, AccessText access = nullptr) {
    MainStop row;
    row.shape = shape;
    row.element = &e;
    row.access = access;
    return row;
}
constexpr MainStop setting_row(StopShape shape, Shown shown, int panel, SettingId id, int index,
                               Rect (*place)(const StopPlace&, int)) {
    MainStop row;
    row.shape = shape;
    row.shown = shown;
    row.panel = panel;
    row.setting = id;
    row.index = index;
    row.place = place;
    return row;
}
constexpr MainStop marker_row(int panel, SettingId id, int part, SettingId checks, int when,
                              Rect (*place)(const StopPlace&, int)) {
    MainStop row = setting_row(StopShape::kMarker, Shown::kRightOpen, panel, id, part, place);
    row.part = part;
    row.checks = checks;
    row.when = when;
    return row;
}

constexpr Rows main_rows() {
    Rows t;
    // Left column: the headers where the accordion puts them, each body's stops after it.
    MainStop assignment = element_row(StopShape::kHeader, kButtonAssignmentHeader);
    assignment.place = [](const StopPlace& at, int) { return at.left.button_assignment; };
    t.add(assignment);
    for (int i = 0; i < kButtonCount; ++i) {
        t.add(setting_row(StopShape::kDropdown, Shown::kAssignmentOpen, -1, button_setting(i), i,
                          [](const StopPlace&, int n) { return dropdown_box(n); }));
    }
    MainStop manager = element_row(StopShape::kButton, kMacroManagerItem);
    manager.place = [](const StopPlace& at, int) { return at.left.macro_manager; };
    t.add(manager);
    MainStop sensitivity = element_row(StopShape::kHeader, kSensitivityHeader);
    sensitivity.place = [](const StopPlace& at, int) { return at.left.sensitivity; };
    t.add(sensitivity);
    for (const auto& [axis, id] :
         {std::pair{0, SettingId::kSensitivityX}, std::pair{1, SettingId::kSensitivityY}}) {
        t.add(setting_row(StopShape::kSlider, Shown::kSensitivityOpen, -1, id, axis,
                          [](const StopPlace& at, int n) {
                              return sensitivity::axis(at.left.sensitivity.bottom, n).bar;
                          }));
    }

    // The picture's tabs.
    t.add(element_row(StopShape::kTab, kFrontTab));
    t.add(element_row(StopShape::kTab, kSideTab));

    // Right column: every header, each expanded body's stops after it.
    for (int panel = 0; panel < kRightPanelCount; ++panel) {
        MainStop header;
        header.shape = StopShape::kHeader;
        header.shown = Shown::kRightHeader;
        header.panel = panel;
        header.text = kRightPanels[static_cast<std::size_t>(panel)].title;
        t.add(header);
        for (const LevelControl& c : kLevelControls) {
            if (c.panel != panel) continue;
            MainStop row =
                setting_row(c.shape == LevelShape::kGauge ? StopShape::kGauge : StopShape::kSlider,
                            Shown::kRightOpen, panel, c.setting, 0, nullptr);
            row.level = &c;
            t.add(row);
        }
        switch (panel) {
            case kDpi:
                for (int k = 0; k < dpi::kStages; ++k) {
                    t.add(setting_row(StopShape::kDpiBar, Shown::kRightOpen, panel, dpi_setting(k),
                                      k, [](const StopPlace&, int n) { return dpi::kBars[n]; }));
                    MainStop box =
                        setting_row(StopShape::kDpiBox, Shown::kRightOpen, panel, dpi_setting(k), k,
                                    [](const StopPlace&, int n) { return dpi::kBoxes[n]; });
                    box.part = 1;
                    box.access = &AccessTexts::stage_dpi;
                    t.add(box);
                    t.add(setting_row(StopShape::kColour, Shown::kRightOpen, panel,
                                      colour_setting(k), k,
                                      [](const StopPlace&, int n) { return dpi::kSwatches[n]; }));
                }
                break;
            case kLighting: {
                constexpr TextRole modes[lighting::kModes] = {
                    &UiTexts::light_standard, &UiTexts::light_respiration, &UiTexts::light_neon};
                for (int m = 0; m < lighting::kModes; ++m) {
                    MainStop marker =
                        marker_row(panel, SettingId::kLightMode, m, SettingId::kLightMode, m + 1,
                                   [](const StopPlace& at, int n) {
                                       return lighting::row(at.header.bottom, n).marker;
                                   });
                    marker.index = m;
                    marker.text = modes[m];
                    t.add(marker);
                    t.add(setting_row(StopShape::kLightBar, Shown::kRightOpen, panel,
                                      light_level_setting(m + 1), m,
                                      [](const StopPlace& at, int n) {
                                          return lighting::row(at.header.bottom, n).bar;
                                      }));
                }
                break;
            }
            case kReportRate:
                t.add(setting_row(StopShape::kDial, Shown::kRightOpen, panel,
                                  SettingId::kReportRate, 0, [](const StopPlace& at, int) {
                                      return report_rate::dial(at.header.bottom, at.body_width);
                                  }));
                break;
            case kScrollSpeed: {
                t.add(marker_row(panel, SettingId::kScrollLines, 1, SettingId::kScrollPage, 0,
                                 [](const StopPlace& at, int) {
                                     return scroll::controls(at.header.bottom).lines_marker;
                                 }));
                // The box and the arrows beside it: one control.
                t.add(setting_row(StopShape::kSpinBox, Shown::kRightOpen, panel,
                                  SettingId::kScrollLines, 0, [](const StopPlace& at, int) {
                                      const scroll::Controls c = scroll::controls(at.header.bottom);
                                      return Rect{c.box.left, c.box.top, c.up.right, c.box.bottom};
                                  }));
                t.add(marker_row(panel, SettingId::kScrollPage, 0, SettingId::kScrollPage, 1,
                                 [](const StopPlace& at, int) {
                                     return scroll::controls(at.header.bottom).page_marker;
                                 }));
                break;
            }
            default: break;
        }
    }

    // Bottom buttons, then the title bar's (named for what they do: they show no text).
    t.add(element_row(StopShape::kButton, kConfigButton));
    t.add(element_row(StopShape::kButton, kResetButton));
    t.add(element_row(StopShape::kButton, kCancelButton));
    t.add(element_row(StopShape::kButton, kSaveButton));
    t.add(element_row(StopShape::kButton, kHelpButton, &AccessTexts::help));
    t.add(element_row(StopShape::kButton, kHideButton, &AccessTexts::minimise));
    t.add(element_row(StopShape::kButton, kCloseButton, &AccessTexts::close));
    return t;
}

constexpr Rows kMainRows = main_rows();

constexpr bool ids_distinct() {
    for (std::size_t a = 0; a < kMainRows.count; ++a)
        for (std::size_t b = a + 1; b < kMainRows.count; ++b)
            if (stop_id(kMainRows.rows[a]) == stop_id(kMainRows.rows[b])) return false;
    return true;
}
static_assert(ids_distinct(), "two rows of the main window's focus order share a stop id");

}  // namespace focus_detail

// The main window's focus order.
constexpr std::span<const MainStop> main_focus_order() {
    return {focus_detail::kMainRows.rows.data(), focus_detail::kMainRows.count};
}

}  // namespace p330::layout
