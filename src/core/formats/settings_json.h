#pragma once
// The JSON document `p330ctl get --json` prints, read back as settings: its "settings"
// object (catalogue keys to values) and its "name". The other members get --json prints are
// what the program reports about the profile and are passed over; any other member, or no
// "settings", is refused. Messages name the line of the fault.

#include <string>
#include <string_view>

#include "core/formats/settings_text.h"
#include "core/result.h"

namespace p330 {

// Whether text is a JSON document rather than the settings text: its first non-blank is '{'.
bool looks_like_json(std::string_view text);
Result<SettingsText> parse_settings_json(std::string_view text, const std::string& source);

}  // namespace p330
