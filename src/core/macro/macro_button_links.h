#pragma once
// Buttons set to "Macro Key" store a macro's position in record.ini and show its name in their
// label. After the macro manager has changed the file, each such button is pointed again at
// the position of the macro its label names, so it keeps playing the macro it was given. A
// button whose macro is gone would play whatever now sits at its position: it goes back to
// its default function instead, and its label says so.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/lang/language.h"
#include "core/model/settings_record.h"

namespace p330 {

struct LostMacroButton {
    int button = 0;     // 0-based
    std::string label;  // what it does now, as its label shows it
};

struct MacroButtonLinks {
    std::vector<LostMacroButton> lost;  // buttons whose macro no longer exists
    int moved = 0;                      // buttons whose stored position changed
};

// renames: (old name, new name) in the order they were made; labels naming an old name are
// rewritten to the new one first. macro_names: the sections of record.ini in file order.
// defaults: the record whose functions lost buttons take back (a default that is itself a
// macro, or none at all, turns the button off).
MacroButtonLinks relink_macro_buttons(
    SettingsRecord& record, std::array<std::string, kButtonCount>& labels, Language language,
    const std::vector<std::string>& macro_names,
    const std::vector<std::pair<std::string, std::string>>& renames,
    const SettingsRecord* defaults = nullptr);

// The warning naming the lost buttons (numbered from 1) and what each does now.
std::string lost_macro_buttons_message(Language language, const std::vector<LostMacroButton>& lost);

}  // namespace p330
