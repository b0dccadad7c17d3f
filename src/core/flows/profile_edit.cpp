#include "core/flows/profile_edit.h"

#include <algorithm>

#include "core/buttons/button_code.h"
#include "core/buttons/function_catalogue.h"
#include "core/flows/macro_sync.h"
#include "core/formats/macro_file.h"
#include "core/lang/error_texts.h"
#include "core/util/folder_lock.h"

namespace p330 {

Language active_language(const DataFolder& folder) {
    ProfileState state;
    SettingsRecord ignored{};
    (void)choose_and_load_active_profile(folder, state, ignored);
    state.point_at_index(folder);
    return language_from_code(read_profile_ini(state.active_ini, Language::kEnglish).language_code);
}

namespace {

// record_ini null: read here, after the profile's own files.
Result<ProfileEdit> load_edit(const DataFolder& folder, std::optional<int> index,
                              const IniDocument* record_ini) {
    ProfileEdit edit;
    if (index) {
        edit.index = *index;
    } else {
        ProfileState state;
        SettingsRecord ignored{};
        LoadResult loaded = choose_and_load_active_profile(folder, state, ignored);
        if (!loaded.image_loaded) {
            return Error{ErrorCode::kInvalidData,
                         "no active profile: " +
                             (loaded.detail.empty() ? kConfigMissingText : loaded.detail)};
        }
        edit.index = state.index;
    }
    Result<ProfileImage> image = read_profile_image(folder.image(edit.index));
    if (!image) return image.error();
    edit.first_run_flag = image->first_run_flag;
    edit.record = image->record;
    edit.adjusted = profile_image_adjustments(folder.image(edit.index), image->adjusted);

    if (Result<ProfileList> list = read_profile_list(folder.main_ini())) {
        if (static_cast<std::size_t>(edit.index) < list->names.size())
            edit.name = list->names[static_cast<std::size_t>(edit.index)];
    }
    Result<ProfileIni> ini = load_profile_ini(folder.ini(edit.index), Language::kEnglish);
    if (!ini) return Error{ErrorCode::kInvalidData, ini.error().message};
    edit.language = language_from_code(ini->language_code);
    edit.labels_by_language = ini->labels_by_language;
    edit.labels = ini->labels_by_language[static_cast<std::size_t>(edit.language)];
    if (edit.first_run_flag == 0) {  // as the window shows an image it never wrote
        edit.labels = first_run_labels(edit.language);
        edit.labels_changed = true;
    }
    if (record_ini != nullptr) {
        edit.macro_names = choosable_macro_names(*record_ini);
        return edit;
    }
    Result<IniDocument> macros = IniDocument::load(folder.record_ini());
    if (!macros) return Error{ErrorCode::kInvalidData, macros.error().message};
    edit.macro_names = choosable_macro_names(*macros);
    return edit;
}

// A button on Macro Key plays whatever block sits at its position, and only the active
// profile follows record.ini as macros change: any other profile's blocks may be old.
Status carry_macro_blocks(FileTransaction& change, const DataFolder& folder,
                          SettingsRecord& record) {
    if (std::none_of(std::begin(record.button_kind), std::end(record.button_kind),
                     [](auto kind) { return kind == kKindMacroKey; }))
        return Status::ok();
    Result<IniDocument*> macros = change.ini(folder.record_ini());
    if (!macros) return macros.error();
    (void)copy_macro_blocks(record, **macros);
    return Status::ok();
}

}  // namespace

Result<ProfileEdit> load_profile_edit(const DataFolder& folder, std::optional<int> index) {
    return load_edit(folder, index, nullptr);
}

Result<ProfileEdit> load_profile_edit(const DataFolder& folder, std::optional<int> index,
                                      const IniDocument& record_ini) {
    return load_edit(folder, index, &record_ini);
}

Status stage_profile_edit(FileTransaction& change, const DataFolder& folder, ProfileEdit& edit) {
    if (Status s = carry_macro_blocks(change, folder, edit.record); !s) return s;
    const auto ini = folder.ini(edit.index);
    if (edit.language_changed) {
        // Every INI the program may take its language from: the main one and each profile's.
        if (Status s = stage_language(change, folder.main_ini(), edit.language); !s) return s;
        for (int i = 0; i < kMaxProfiles; ++i) {
            std::error_code ec;
            if (i != edit.index && !std::filesystem::exists(folder.ini(i), ec)) continue;
            if (Status s = stage_language(change, folder.ini(i), edit.language); !s) return s;
        }
    }
    if (edit.labels_changed || edit.language_changed) {
        if (Status s = stage_labels(change, ini, edit.language, edit.labels); !s) return s;
    }
    change.stage(folder.image(edit.index), profile_image_bytes(edit.record));
    return Status::ok();
}

Status save_profile_edit(const DataFolder& folder, ProfileEdit& edit) {
    FileTransaction change(folder.dir);
    if (Status s = stage_profile_edit(change, folder, edit); !s) return s;
    return change.commit();
}

ExportResult export_listed_profile(const std::filesystem::path& chosen, const DataFolder& folder,
                                   ProfileState state, int position,
                                   const SettingsRecord& shown_record,
                                   const std::array<std::string, kButtonCount>& shown_labels,
                                   Language language) {
    auto failed = [language](const Error& error) {
        ExportResult result;
        result.messages.push_back(UserMessage{error_text(error, language), "Warning"});
        return result;
    };
    Result<FolderLock> lock = FolderLock::acquire(folder.dir);
    if (!lock) return failed(lock.error());
    if (position == state.index)
        return export_profile(chosen, folder, state, shown_record, language, shown_labels);
    Result<ProfileEdit> saved = load_profile_edit(folder, position);
    if (!saved) return failed(saved.error());
    return export_profile(chosen, folder, state, saved->record, language, saved->labels);
}

}  // namespace p330
