#pragma once
// Every setting a user can change, once: the key scripts use for it, what it takes, how it
// is read from and written to a profile, and the window's name for it. The command line's
// get/set, the profile report, the help and man page key lists and the window's panels all
// go through this table, so a setting has one range and one scale wherever it is shown.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/language.h"
#include "core/model/device_image.h"
#include "core/model/settings_record.h"
#include "core/result.h"
#include "core/settings/setting_limits.h"

namespace p330 {

// One profile as a user edits it: the record, the labels its buttons show, the language the
// labels are written in, and the macros a button can be pointed at.
struct ProfileSettings {
    SettingsRecord record{};
    std::uint8_t first_run_flag = 1;
    Language language = Language::kEnglish;
    std::array<std::string, kButtonCount> labels;
    // The labels each language's section holds, so that a change of language shows them.
    std::array<std::array<std::string, kButtonCount>, 3> labels_by_language;
    // record.ini's macros in file order, the first twelve only: the mouse holds twelve.
    std::vector<std::string> macro_names;
    bool labels_changed = false;
    bool language_changed = false;
};

struct SettingValue {
    std::string text;
    bool number = false;  // a JSON number rather than a string
};

enum class SettingKind { kNumber, kOnOff, kChoice, kColour, kLanguage, kButton };

// The program names a setting by its id, so a misspelt name does not compile; the key
// strings are for the edges only (the command line, text files, JSON). In catalogue order.
enum class SettingId : std::uint8_t {
    kDpi1,
    kDpi2,
    kDpi3,
    kDpi4,
    kColour1,
    kColour2,
    kColour3,
    kColour4,
    kReportRate,
    kLightMode,
    kLightStandard,
    kLightRespiration,
    kLightNeon,
    kSensitivityX,
    kSensitivityY,
    kAngleSnap,
    kPointerSpeed,
    kPointerPrecision,
    kDoubleClick,
    kScrollLines,
    kScrollPage,
    kLanguage,
    kButton1,
    kButton2,
    kButton3,
    kButton4,
    kButton5,
    kButton6,
    kButton7,
    kButton8,
};
constexpr int kSettingCount = static_cast<int>(SettingId::kButton8) + 1;
static_assert(static_cast<int>(SettingId::kButton8) - static_cast<int>(SettingId::kButton1) + 1 ==
              kButtonCount);

constexpr SettingId dpi_setting(int stage) {
    return static_cast<SettingId>(static_cast<int>(SettingId::kDpi1) + stage);
}
constexpr SettingId colour_setting(int stage) {
    return static_cast<SettingId>(static_cast<int>(SettingId::kColour1) + stage);
}
constexpr SettingId button_setting(int button) {
    return static_cast<SettingId>(static_cast<int>(SettingId::kButton1) + button);
}
// Lighting modes 1..3: the level each mode shows.
constexpr SettingId light_level_setting(int mode) {
    return static_cast<SettingId>(static_cast<int>(SettingId::kLightStandard) + mode - 1);
}

// The bytes of the parameter block a setting is sent to the mouse in: size bytes from offset,
// and the same again from mirror where the mouse keeps the setting twice (the DPI tables).
// Size 0 for the settings the mouse does not keep in its parameter block.
struct BlockBytes {
    int offset = 0;
    int size = 0;
    int mirror = 0;  // 0: one copy
};

// Where each setting is sent. The image builder checks, as it compiles, that no two settings
// and none of the block's fixed bytes share a byte, and that all lie before the block's tail.
constexpr BlockBytes block_bytes(SettingId id) {
    const int n = static_cast<int>(id);
    switch (id) {
        case SettingId::kDpi1:
        case SettingId::kDpi2:
        case SettingId::kDpi3:
        case SettingId::kDpi4: {
            const int stage = n - static_cast<int>(SettingId::kDpi1);
            return {param::kDpiTable1 + stage, 1, param::kDpiTable2 + stage};
        }
        case SettingId::kColour1:
        case SettingId::kColour2:
        case SettingId::kColour3:
        case SettingId::kColour4:
            return {param::kColours + 3 * (n - static_cast<int>(SettingId::kColour1)), 3};
        case SettingId::kLightMode: return {0x47, 3};  // the mode, its level, how it is shown
        case SettingId::kSensitivityX: return {0x4A, 1};
        case SettingId::kSensitivityY: return {0x4B, 1};
        case SettingId::kAngleSnap: return {0x33, 1};
        // The levels are sent with their mode; the report rate is the image's own byte; the
        // buttons go in the button table; the rest are the desktop's or the program's.
        case SettingId::kReportRate:
        case SettingId::kLightStandard:
        case SettingId::kLightRespiration:
        case SettingId::kLightNeon:
        case SettingId::kPointerSpeed:
        case SettingId::kPointerPrecision:
        case SettingId::kDoubleClick:
        case SettingId::kScrollLines:
        case SettingId::kScrollPage:
        case SettingId::kLanguage:
        case SettingId::kButton1:
        case SettingId::kButton2:
        case SettingId::kButton3:
        case SettingId::kButton4:
        case SettingId::kButton5:
        case SettingId::kButton6:
        case SettingId::kButton7:
        case SettingId::kButton8: break;
    }
    return {};
}

// The record's byte a setting is kept in, as a loaded profile must hold it.
struct StoredField {
    std::string name;  // the record's field, with the index for arrays: "dpi_stage[0]"
    LevelRange range;  // what the program ever writes there
    std::function<int(const SettingsRecord&)> value;
    // Where other programs' profiles hold values the window never sets, in a byte that changes
    // nothing a button does (a desktop setting, the level of a lighting mode not in use): a
    // loaded value within what this gives for the record is brought to the nearest value of
    // range, by store, rather than refused. Null where every value out of range is refused.
    std::function<LevelRange(const SettingsRecord&)> tolerated{};
    std::function<void(SettingsRecord&, int)> store{};
};

// The lines of the profile report (show, get), in the order it prints them. Settings shown
// together share a line (a DPI stage with its colour); lines shown once per stage or button
// are told apart by their item.
enum class ReportLine : std::uint8_t {
    kNone,  // not in a record's report: the language is shown with the profile's labels
    kReportRate,
    kDpiStage,
    kLighting,
    kLightLevels,
    kSensitivity,
    kAngleSnap,
    kPointer,
    kScrolling,
    kDoubleClick,
    kButton,
};

// A member of get --json's report: a number, true/false, a string, or a list of numbers.
struct ReportField {
    enum class Kind : std::uint8_t { kNumber, kFlag, kText, kNumbers };
    std::string name;
    Kind kind = Kind::kNumber;
    std::string text{};          // the number's digits, or the string
    std::vector<int> numbers{};  // kNumbers
    bool flag = false;           // kFlag
};

// Where a setting is reported. One entry of each line words it (label, text, json); the
// others on that line name the line only, and the wording shows them too.
struct ReportPart {
    ReportLine line = ReportLine::kNone;
    int item = 0;
    std::string label;
    std::function<std::string(const SettingsRecord&)> text;
    // get --json: the members the line adds; when list is named, they are one object of that
    // list ("dpi_stages"), which stands where its first object's line stands.
    std::string list;
    std::function<std::vector<ReportField>(const SettingsRecord&)> json;
};

// The members an entry's braces leave out start empty.
struct SettingEntry {
    SettingId id;
    std::string key;
    SettingKind kind;
    std::string takes;  // what the setting takes, in words, for help texts and refusals
    // Values shell completion offers, as set takes them (all of a short range).
    std::vector<std::string> suggestions;
    std::string_view UiTexts::*panel;  // the window's name for where it is set
    // Numbers: the range a value must lie in, in the setting's own unit.
    LevelRange range{0, 0};
    // Numbers, on/off (1 or 0) and the light mode (1..3): typed access to the record, for the
    // window's panels. set refuses a value outside the range and leaves the record as it was.
    std::function<int(const SettingsRecord&)> get{};
    std::function<bool(SettingsRecord&, long long)> set{};
    std::function<SettingValue(const ProfileSettings&)> read{};
    // Returns a note when the value was rounded (empty otherwise); a refused value leaves the
    // profile unchanged and the error says why.
    std::function<Result<std::string>(ProfileSettings&, std::string_view)> write{};
    // The name of the window's control for it, which its focus stop and screen readers
    // give; empty for a setting the window has no control for (the language, the pointer
    // precision: profile files and p330ctl set them).
    std::function<std::string(Language)> accessible_name{};
    // Settings kept in a byte of the record whose range a loaded profile is checked against.
    std::optional<StoredField> stored{};
    // Settings the mouse holds: writes the setting into its own bytes of the parameter block
    // (block_bytes), which hold the block's template before. The lighting mode writes the
    // levels too: their bytes depend on the mode.
    std::function<void(const SettingsRecord&, std::span<std::uint8_t>)> encode{};
    ReportPart report{};
    // Numbers, on/off and the light mode: what a shipped profile holds, as set takes it.
    std::optional<int> shipped{};
};

// Every setting, in the order a profile is listed (the order of SettingId).
const std::vector<SettingEntry>& settings_catalogue();
const SettingEntry& setting(SettingId id);
// A key a user gave; null when no setting has it.
const SettingEntry* find_setting(std::string_view key);

Result<SettingValue> read_setting(const ProfileSettings& profile, std::string_view key);
Result<std::string> write_setting(ProfileSettings& profile, std::string_view key,
                                  std::string_view value);

// Where a KEY=VALUE of a change goes when the change's settings are written, lowest first,
// for every face that takes several at once (set, import-text): the language first, so that
// button labels are written in it; then the buttons put on Click, so that moving Click from
// one button to another is never refused on the way; then the rest in the order given.
int writing_rank(std::string_view key, std::string_view value);

// The help text's list of keys and what each takes, one line each.
std::string settings_key_list();

}  // namespace p330
