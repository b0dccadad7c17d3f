#pragma once
// record.ini has changed: every profile of the list other than the one being edited follows
// its macros too. Such a profile holds its own macro blocks, but the next save of it takes
// record.ini's (see save_profile_edit), and a button left on an old number would then play
// whatever macro moved there.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/flows/profile_edit.h"
#include "core/flows/profile_files.h"
#include "core/formats/file_transaction.h"
#include "core/macro/macro_button_links.h"

namespace p330 {

struct ProfileMacroLinks {
    int index = 0;
    std::string name;  // as the profile list names it
    Language language = Language::kEnglish;
    std::vector<LostMacroButton> lost;
};

struct MacroChangeFollowed {
    std::optional<ProfileEdit> edited;  // the profile given the new macros, when rewritten
    std::vector<LostMacroButton> lost;  // its buttons whose macro is gone
    std::vector<ProfileMacroLinks> others;
};

// The follow-up of every change of record.ini, whoever made it: record.ini as staged in
// change, the listed profile `index` (the current one when none) and every other listed
// profile follow it, staged into change for the caller to commit. The command line gives
// `index` its new macro blocks (always_write_index: 'apply' sends them); the window, whose
// profile lives in memory, only keeps its saved buttons pointing at their macros.
Result<MacroChangeFollowed> follow_macro_change(
    FileTransaction& change, const DataFolder& folder, std::optional<int> index,
    const std::vector<std::pair<std::string, std::string>>& renames, bool always_write_index);

struct SavedProfilesFollowed {
    std::vector<ProfileMacroLinks> others;  // as sync_macros_into_other_profiles gives them
    std::optional<ProfileEdit> shown;       // the shown profile as now saved, when rewritten
};

// For the window, whose shown profile lives in memory: every listed profile's saved files,
// the shown one's included (as saved, not as edited), follow record.ini in one change of
// its own under the folder's lock. The files on disk then never name a macro that is gone
// or moved, whatever the window's Cancel or another program reads next.
Result<SavedProfilesFollowed> follow_macros_in_saved_profiles(
    const DataFolder& folder, int shown_index,
    const std::vector<std::pair<std::string, std::string>>& renames);

// The warning for one such profile, led by its name.
std::string lost_macro_buttons_message(const ProfileMacroLinks& profile);

}  // namespace p330
