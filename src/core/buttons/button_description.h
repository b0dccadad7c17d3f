#pragma once
// What a button does, in the words the profile report uses.

#include <string>

#include "core/model/settings_record.h"

namespace p330 {

// What a button does, in words: "Scroll Select: Mouse Scroll Up", "Combo Key: Left Ctrl+A".
std::string describe_button(const SettingsRecord& record, int button);

}  // namespace p330
