#pragma once
// A profile as text, for dotfiles and version control: a [profile] section of `key = value`
// lines (the settings catalogue's keys and the values `p330ctl set` takes, plus the profile's
// name), then one [macro NAME] section per macro in the order the mouse numbers them, with
// its loop count, whether its recorded delays are played, and its items one `item = ` line
// each. Lines starting with '#' or ';' are comments. Only the shape is checked here; what a
// key may hold is the catalogue's to say.

#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace p330 {

inline constexpr std::string_view kProfileNameKey = "name";

struct TextSetting {
    int line = 0;  // 1-based; 0 for settings made by the program
    std::string key;
    std::string value;
};

struct TextMacro {
    int line = 0;  // of the section header
    std::string name;
    long long loop_times = 1;
    bool record_delays = false;
    std::vector<std::string> items;
};

struct SettingsText {
    std::vector<TextSetting> settings;  // in file order
    std::vector<TextMacro> macros;      // in file order
};

// `source` names the text in messages: "SOURCE:LINE: what is wrong". Every line is checked;
// the first fault found is returned.
Result<SettingsText> parse_settings_text(std::string_view text, const std::string& source);
std::string write_settings_text(const SettingsText& settings);
// Refuses text that is not UTF-8 (kInvalidData), naming the line and the first bad byte.
Status check_utf8_text(std::string_view text, const std::string& source);

}  // namespace p330
