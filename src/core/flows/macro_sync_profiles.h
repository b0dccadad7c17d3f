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

// Relinks the Macro Key buttons of every listed profile but skip_index against record.ini as
// staged in change, and stages each profile that changed into it. A profile that cannot be
// read is left as it is. Returns the profiles that had buttons whose macro is gone.
Result<std::vector<ProfileMacroLinks>> sync_macros_into_other_profiles(
    FileTransaction& change, const DataFolder& folder, int skip_index,
    const std::vector<std::pair<std::string, std::string>>& renames);

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
