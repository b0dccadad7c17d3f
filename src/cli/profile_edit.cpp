#include "cli/profile_edit.h"

#include "core/buttons/function_catalogue.h"
#include "core/formats/ini_document.h"
#include "core/flows/profile_files.h"
#include "core/flows/profile_manager_model.h"

namespace p330::cli {

Language active_language(const Context& c) {
    ProfileState state;
    SettingsRecord ignored{};
    (void)choose_and_load_active_profile(c.folder, state, ignored);
    state.point_at_index(c.folder);
    return language_from_code(read_profile_ini(state.active_ini, Language::kEnglish).language_code);
}

int load_profile_edit(const Context& c, ProfileEdit& edit) {
    return load_profile_edit(c, edit, c.options.profile);
}

int load_profile_edit(const Context& c, ProfileEdit& edit, std::optional<int> index) {
    if (index) {
        edit.index = *index;
    } else {
        ProfileState state;
        SettingsRecord ignored{};
        LoadResult loaded = choose_and_load_active_profile(c.folder, state, ignored);
        if (!loaded.image_loaded) {
            return fail(c, kExitBadInput,
                        "no active profile: " +
                            (loaded.detail.empty() ? kConfigMissingText : loaded.detail));
        }
        edit.index = state.index;
    }
    Result<ProfileImage> image = read_profile_image(c.folder.image(edit.index));
    if (!image) return fail(c, kExitBadInput, image.error().message);
    edit.first_run_flag = image->first_run_flag;
    edit.record = image->record;

    if (Result<ProfileManagerModel> list = ProfileManagerModel::load(c.folder.main_ini())) {
        if (static_cast<std::size_t>(edit.index) < list->names().size())
            edit.name = list->names()[static_cast<std::size_t>(edit.index)];
    }
    const auto& ini = edit.ini = c.folder.ini(edit.index);
    edit.language = language_from_code(read_profile_ini(ini, Language::kEnglish).language_code);
    edit.labels = read_profile_ini(ini, edit.language).labels;
    if (edit.first_run_flag == 0) {  // as the window shows an image it never wrote
        edit.labels = first_run_labels(edit.language);
        edit.labels_changed = true;
    }
    Result<IniDocument> macros = IniDocument::load(c.folder.record_ini());
    if (!macros) return fail(c, kExitBadInput, macros.error().message);
    edit.macro_names = macros->section_names();
    return kExitOk;
}

int save_profile_edit(const Context& c, const ProfileEdit& edit) {
    const auto ini = c.folder.ini(edit.index);
    if (Status s = write_profile_image(c.folder.image(edit.index), edit.record); !s)
        return fail(c, kExitFailed, s.message());
    if (edit.language_changed) {
        if (Status s = ini_write_value(ini, "Skins", "Lan", language_code(edit.language)); !s)
            return fail(c, kExitFailed, s.message());
    }
    if (edit.labels_changed || edit.language_changed) {
        if (Status s = write_labels(ini, edit.language, edit.labels); !s)
            return fail(c, kExitFailed, s.message());
    }
    return kExitOk;
}

}  // namespace p330::cli
