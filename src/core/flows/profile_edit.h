#pragma once
// One profile of the data folder read for editing and written back: its record (checked as
// every reader checks it), labels and language, and the macros its buttons can be given.
// The files of one save are written as one change: a kill leaves all of them old or all new.

#include <filesystem>
#include <optional>
#include <string>

#include "core/flows/profile_files.h"
#include "core/formats/file_transaction.h"
#include "core/settings/settings_catalogue.h"

namespace p330 {

struct ProfileEdit : ProfileSettings {
    int index = 0;
    std::string name;      // the profile list's name for the position, when it has one
    std::string adjusted;  // the image's tolerated fields brought into range, in words
};

// Profile index, or the active profile of the main INI when there is none. Errors of kind
// kInvalidData mean a file is missing or refused; the message names it.
Result<ProfileEdit> load_profile_edit(const DataFolder& folder, std::optional<int> index);
// The same with record.ini as the caller already holds it (read once for a whole command).
Result<ProfileEdit> load_profile_edit(const DataFolder& folder, std::optional<int> index,
                                      const IniDocument& record_ini);
// Writes the labels when they changed, then the image. A change of language is the whole
// program's: it is written into the main INI and every profile INI. When a button is on
// Macro Key the record first takes record.ini's macro blocks (as staged in the change), so
// what is written and what is then sent to the mouse play the macros the buttons name.
Status save_profile_edit(const DataFolder& folder, ProfileEdit& edit);
// The same files staged into a larger change.
Status stage_profile_edit(FileTransaction& change, const DataFolder& folder, ProfileEdit& edit);

// The language of the active profile, which the program as a whole speaks.
Language active_language(const DataFolder& folder);

// The window's export of the list's entry `position` to chosen, under the folder's lock: the
// profile shown (state.index) as shown, with its unsaved edits; another one as it was saved.
// The current profile stays the one shown, so that Save never writes one profile's settings
// into another's files. Every failure is a message of the result.
ExportResult export_listed_profile(const std::filesystem::path& chosen, const DataFolder& folder,
                                   ProfileState state, int position,
                                   const SettingsRecord& shown_record,
                                   const std::array<std::string, kButtonCount>& shown_labels,
                                   Language language);

}  // namespace p330
