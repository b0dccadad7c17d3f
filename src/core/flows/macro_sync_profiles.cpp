#include "core/flows/macro_sync_profiles.h"

#include <algorithm>
#include <iterator>

#include "core/buttons/button_code.h"
#include "core/flows/macro_sync.h"
#include "core/flows/profile_edit.h"
#include "core/formats/profile_list.h"
#include "core/util/folder_lock.h"

namespace p330 {

Result<std::vector<ProfileMacroLinks>> sync_macros_into_other_profiles(
    FileTransaction& change, const DataFolder& folder, int skip_index,
    const std::vector<std::pair<std::string, std::string>>& renames) {
    std::vector<ProfileMacroLinks> out;
    Result<IniDocument*> record_ini = change.ini(folder.record_ini());
    if (!record_ini) return record_ini.error();
    Result<ProfileList> list = read_profile_list(folder.main_ini());
    if (!list || !list->usable()) return out;  // no other profile to follow
    const std::optional<SettingsRecord> defaults = shipped_default_record(folder);
    for (int index = 0; index < list->count; ++index) {
        if (index == skip_index) continue;
        Result<ProfileEdit> edit = load_profile_edit(folder, index, **record_ini);
        if (!edit) continue;  // missing or refused: not this change's to mend
        const auto& kinds = edit->record.button_kind;
        if (std::none_of(std::begin(kinds), std::end(kinds),
                         [](auto kind) { return kind == kKindMacroKey; }))
            continue;
        const MacroSync sync = sync_macros_into_profile(*edit, **record_ini, renames, defaults);
        if (sync.links.moved == 0 && sync.links.lost.empty() && !edit->labels_changed) continue;
        if (Status staged = stage_profile_edit(change, folder, *edit); !staged)
            return staged.error();
        if (!sync.links.lost.empty())
            out.push_back(ProfileMacroLinks{index, edit->name, edit->language, sync.links.lost});
    }
    return out;
}

Result<std::vector<ProfileMacroLinks>> follow_macros_in_other_profiles(
    const DataFolder& folder, int skip_index,
    const std::vector<std::pair<std::string, std::string>>& renames) {
    Result<FolderLock> lock = FolderLock::acquire(folder.dir);
    if (!lock) return lock.error();
    FileTransaction change(folder.dir);
    Result<std::vector<ProfileMacroLinks>> synced =
        sync_macros_into_other_profiles(change, folder, skip_index, renames);
    if (!synced) return synced;
    if (Status written = change.commit(); !written) return written.error();
    return synced;
}

std::string lost_macro_buttons_message(const ProfileMacroLinks& profile) {
    const std::string name =
        profile.name.empty() ? "profile " + std::to_string(profile.index) : profile.name;
    return name + ": " + lost_macro_buttons_message(profile.language, profile.lost);
}

}  // namespace p330
