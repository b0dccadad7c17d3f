#include "core/flows/macro_sync.h"

#include <cstring>

#include "core/formats/macro_file.h"

namespace p330 {

std::optional<SettingsRecord> shipped_default_record(const DataFolder& folder) {
    Result<ProfileImage> image = read_profile_image(folder.default_image());
    if (!image) return std::nullopt;
    return image->record;
}

EncodedMacros copy_macro_blocks(SettingsRecord& record, const IniDocument& record_ini) {
    EncodedMacros encoded = encode_macro_blocks(record_ini);
    static_assert(sizeof(record.macro_block) == sizeof(Block) * kMacroCount);
    std::memcpy(record.macro_block, encoded.blocks.data(), sizeof(record.macro_block));
    return encoded;
}

MacroSync sync_macros_into_record(SettingsRecord& record,
                                  std::array<std::string, kButtonCount>& labels, Language language,
                                  const IniDocument& record_ini,
                                  const std::vector<std::pair<std::string, std::string>>& renames,
                                  const std::optional<SettingsRecord>& defaults) {
    MacroSync sync;
    sync.encoded = copy_macro_blocks(record, record_ini);
    sync.macro_names = choosable_macro_names(record_ini);
    sync.links = relink_macro_buttons(record, labels, language, sync.macro_names, renames,
                                      defaults ? &*defaults : nullptr);
    return sync;
}

MacroSync sync_macros_into_profile(ProfileSettings& profile, const IniDocument& record_ini,
                                   const std::vector<std::pair<std::string, std::string>>& renames,
                                   const std::optional<SettingsRecord>& defaults) {
    const std::array<std::string, kButtonCount> before = profile.labels;
    MacroSync sync = sync_macros_into_record(profile.record, profile.labels, profile.language,
                                             record_ini, renames, defaults);
    profile.macro_names = sync.macro_names;
    if (profile.labels != before) profile.labels_changed = true;
    return sync;
}

}  // namespace p330
