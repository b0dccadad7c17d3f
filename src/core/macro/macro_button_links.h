#pragma once
// Buttons set to "Macro Key" store a macro's position in record.ini and show its name in their
// label. After the macro manager has changed the file, each such button is pointed again at
// the position of the macro its label names, so it keeps playing the macro it was given.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/lang/language.h"
#include "core/model/settings_record.h"

namespace p330 {

struct MacroButtonLinks {
    std::vector<int> lost;  // buttons (0-based) whose macro no longer exists: left unchanged
    int moved = 0;          // buttons whose stored position changed
};

// renames: (old name, new name) in the order they were made; labels naming an old name are
// rewritten to the new one first. macro_names: the sections of record.ini in file order.
MacroButtonLinks relink_macro_buttons(
    SettingsRecord& record, std::array<std::string, kButtonCount>& labels, Language language,
    const std::vector<std::string>& macro_names,
    const std::vector<std::pair<std::string, std::string>>& renames);

// The warning naming the lost buttons (numbered from 1), in the language.
std::string lost_macro_buttons_message(Language language, const std::vector<int>& lost);

}  // namespace p330
