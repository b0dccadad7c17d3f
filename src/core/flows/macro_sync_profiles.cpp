#include "core/flows/macro_sync_profiles.h"

#include <algorithm>
#include <iterator>

#include "core/buttons/button_code.h"
#include "core/flows/macro_sync.h"
#include "core/flows/profile_edit.h"
#include "core/formats/profile_list.h"
#include "core/util/folder_lock.h"

namespace p330 {

namespace {

struct FollowedProfile {
    ProfileEdit edit;
    std::vector<LostMacroButton> lost;
};

// One listed profile's saved files relinked against record_ini and staged into change; none
// when it cannot be read (missing or refused: not this change's to mend) or had nothing to
// follow.
Result<std::optional<FollowedProfile>> follow_saved_profile(
    FileTransaction& change, const DataFolder& folder, int index, const IniDocument& record_ini,
    const std::vector<std::pair<std::string, std::string>>& renames,
    const std::optional<SettingsRecord>& defaults) {
    Result<ProfileEdit> edit = load_profile_edit(folder, index, record_ini);
    if (!edit) return std::optional<FollowedProfile>{};
    const auto& kinds = edit->record.button_kind;
    // A profile without Macro Key buttons has nothing to follow: its blocks are taken from
    // record.ini when it is saved next.
    if (std::none_of(std::begin(kinds), std::end(kinds),
                     [](auto kind) { return kind == kKindMacroKey; }))
        return std::optional<FollowedProfile>{};
    const MacroSync sync = sync_macros_into_profile(*edit, record_ini, renames, defaults);
    if (sync.links.moved == 0 && sync.links.lost.empty() && !edit->labels_changed)
        return std::optional<FollowedProfile>{};
    if (Status staged = stage_profile_edit(change, folder, *edit); !staged) return staged.error();
    return std::optional<FollowedProfile>{FollowedProfile{std::move(*edit), sync.links.lost}};
}

Result<std::vector<ProfileMacroLinks>> follow_other_profiles(
    FileTransaction& change, const DataFolder& folder, int skip_index,
    const std::vector<std::pair<std::string, std::string>>& renames,
    const std::optional<SettingsRecord>& defaults) {
    std::vector<ProfileMacroLinks> out;
    Result<IniDocument*> record_ini = change.ini(folder.record_ini());
    if (!record_ini) return record_ini.error();
    Result<ProfileList> list = read_profile_list(folder.main_ini());
    if (!list || !list->usable()) return out;  // no other profile to follow
    for (int index = 0; index < list->count; ++index) {
        if (index == skip_index) continue;
        Result<std::optional<FollowedProfile>> followed =
            follow_saved_profile(change, folder, index, **record_ini, renames, defaults);
        if (!followed) return followed.error();
        if (*followed && !(*followed)->lost.empty()) {
            const ProfileEdit& edit = (*followed)->edit;
            out.push_back(ProfileMacroLinks{index, edit.name, edit.language, (*followed)->lost});
        }
    }
    return out;
}

}  // namespace

Result<MacroChangeFollowed> follow_macro_change(
    FileTransaction& change, const DataFolder& folder, std::optional<int> index,
    const std::vector<std::pair<std::string, std::string>>& renames, bool always_write_index) {
    MacroChangeFollowed out;
    const std::optional<SettingsRecord> defaults = shipped_default_record(folder);
    Result<IniDocument*> record_ini = change.ini(folder.record_ini());
    if (!record_ini) return record_ini.error();
    int edited_index = 0;
    if (always_write_index) {
        Result<ProfileEdit> edit = load_profile_edit(folder, index, **record_ini);
        if (!edit) return edit.error();
        const MacroSync sync = sync_macros_into_profile(*edit, **record_ini, renames, defaults);
        if (Status staged = stage_profile_edit(change, folder, *edit); !staged)
            return staged.error();
        out.lost = sync.links.lost;
        edited_index = edit->index;
        out.edited = std::move(*edit);
    } else {
        edited_index = index.value_or(0);
        Result<std::optional<FollowedProfile>> followed =
            follow_saved_profile(change, folder, edited_index, **record_ini, renames, defaults);
        if (!followed) return followed.error();
        if (*followed) {
            out.lost = (*followed)->lost;
            out.edited = std::move((*followed)->edit);
        }
    }
    Result<std::vector<ProfileMacroLinks>> others =
        follow_other_profiles(change, folder, edited_index, renames, defaults);
    if (!others) return others.error();
    out.others = std::move(*others);
    return out;
}

Result<SavedProfilesFollowed> follow_macros_in_saved_profiles(
    const DataFolder& folder, int shown_index,
    const std::vector<std::pair<std::string, std::string>>& renames) {
    Result<FolderLock> lock = FolderLock::acquire(folder.dir);
    if (!lock) return lock.error();
    FileTransaction change(folder.dir);
    Result<MacroChangeFollowed> followed =
        follow_macro_change(change, folder, shown_index, renames, false);
    if (!followed) return followed.error();
    if (Status written = change.commit(); !written) return written.error();
    return SavedProfilesFollowed{std::move(followed->others), std::move(followed->edited)};
}

std::string lost_macro_buttons_message(const ProfileMacroLinks& profile) {
    const std::string name =
        profile.name.empty() ? "profile " + std::to_string(profile.index) : profile.name;
    return name + ": " + lost_macro_buttons_message(profile.language, profile.lost);
}

}  // namespace p330
