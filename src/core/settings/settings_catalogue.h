#pragma once
// Every setting a user can change, once: the key scripts use for it, what it takes, how it
// is read from and written to a profile, and the window's name for it. The command line's
// get/set, the profile report, the help and man page key lists and the window's panels all
// go through this table, so a setting has one range and one scale wherever it is shown.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/language.h"
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

struct SettingEntry {
    std::string key;
    SettingKind kind;
    std::string takes;  // what the setting takes, in words, for help texts and refusals
    std::string_view UiTexts::*panel;  // the window's name for where it is set
    // Numbers: the range a value must lie in, in the setting's own unit.
    LevelRange range{0, 0};
    // Numbers, on/off (1 or 0) and the light mode (1..3): typed access to the record, for the
    // window's panels. set refuses a value outside the range and leaves the record as it was.
    std::function<int(const SettingsRecord&)> get;
    std::function<bool(SettingsRecord&, long long)> set;
    std::function<SettingValue(const ProfileSettings&)> read;
    // Returns a note when the value was rounded (empty otherwise); a refused value leaves the
    // profile unchanged and the error says why.
    std::function<Result<std::string>(ProfileSettings&, std::string_view)> write;
};

// Every setting, in the order a profile is listed.
const std::vector<SettingEntry>& settings_catalogue();
const SettingEntry* find_setting(std::string_view key);
// A key the program itself names (not a user's): the entry must exist.
const SettingEntry& setting(std::string_view key);

Result<SettingValue> read_setting(const ProfileSettings& profile, std::string_view key);
Result<std::string> write_setting(ProfileSettings& profile, std::string_view key,
                                  std::string_view value);

// The help text's list of keys and what each takes, one line each.
std::string settings_key_list();

}  // namespace p330
