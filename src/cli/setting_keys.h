#pragma once
// The keys of 'get' and 'set': each reads or writes one setting of a profile with the
// window's limits, rounding and rules.

#include <string>
#include <string_view>
#include <vector>

#include "cli/profile_edit.h"
#include "core/result.h"

namespace p330::cli {

struct SettingValue {
    std::string text;
    bool number = false;  // printed as a JSON number
};

// Every key, in the order 'get' lists them.
const std::vector<std::string>& setting_keys();
Result<SettingValue> read_setting(const ProfileEdit& edit, std::string_view key);
// Returns a note for the user when the value was rounded (empty otherwise). A refused value
// gives an error whose message says why; the edit is then unchanged.
Result<std::string> write_setting(ProfileEdit& edit, std::string_view key, std::string_view value);

}  // namespace p330::cli
