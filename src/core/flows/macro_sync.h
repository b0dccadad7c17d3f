#pragma once
// After record.ini has changed: its first twelve macros encoded into a profile's macro
// blocks, and every button on Macro Key pointed again at the macro its label names (renames
// followed), so that a button keeps playing the macro it was given; a button whose macro is
// gone takes back the function the shipped default profile gives it. The window runs this on
// the macro manager's OK, the command line after every macro command that changes the file.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/flows/profile_files.h"
#include "core/formats/ini_document.h"
#include "core/macro/macro_button_links.h"
#include "core/macro/macro_encoding.h"
#include "core/settings/settings_catalogue.h"

namespace p330 {

struct MacroSync {
    EncodedMacros encoded;
    MacroButtonLinks links;
    std::vector<std::string> macro_names;  // the choosable ones, after the change
};

// The shipped default profile's record (config.bin of the defaults), whose button functions
// replace lost macros; none when it cannot be read.
std::optional<SettingsRecord> shipped_default_record(const DataFolder& folder);

// Only the first part: record.ini's blocks into the record, the buttons left as they are.
EncodedMacros copy_macro_blocks(SettingsRecord& record, const IniDocument& record_ini);
MacroSync sync_macros_into_record(
    SettingsRecord& record, std::array<std::string, kButtonCount>& labels, Language language,
    const IniDocument& record_ini,
    const std::vector<std::pair<std::string, std::string>>& renames = {},
    const std::optional<SettingsRecord>& defaults = std::nullopt);
// The same for a profile being edited; its labels are marked changed when they are.
MacroSync sync_macros_into_profile(
    ProfileSettings& profile, const IniDocument& record_ini,
    const std::vector<std::pair<std::string, std::string>>& renames = {},
    const std::optional<SettingsRecord>& defaults = std::nullopt);

}  // namespace p330
