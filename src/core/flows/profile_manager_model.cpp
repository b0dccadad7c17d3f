#include "core/flows/profile_manager_model.h"

#include "core/flows/profile_files.h"
#include "core/formats/file_transaction.h"
#include "core/formats/name_rules.h"
#include "core/lang/dialog_texts.h"
#include "core/util/folder_lock.h"
#include "core/util/file_io.h"
#include "core/util/parse_int.h"

namespace p330 {

std::string next_profile_name(const std::vector<std::string>& names) {
    const std::string base(kNewProfileBase);
    if (names.empty()) return base + "_0";
    const std::string& last = names.back();
    const auto underscore = last.find('_');
    if (underscore == std::string::npos) return last + "_" + std::to_string(names.size());
    return base + "_" + std::to_string(parse_leading_int(last.substr(underscore + 1)) + 1);
}

Result<ProfileManagerModel> ProfileManagerModel::load(const std::filesystem::path& main_ini) {
    ProfileManagerModel model;
    model.path_ = main_ini;
    Result<ProfileList> list = read_profile_list(main_ini);
    if (!list) return list.error();
    model.loaded_ = *list;
    model.names_ = list->names;
    model.selected_ = list->current;
    return model;
}

void ProfileManagerModel::select(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < names_.size()) selected_ = index;
}

Status ProfileManagerModel::add_new(Language language) {
    if (names_.size() >= static_cast<std::size_t>(kMaxProfiles)) {
        return Error{ErrorCode::kInvalidArgument,
                     std::string(profile_manager_texts(language).warning_text)};
    }
    names_.push_back(next_profile_name(names_));
    selected_ = static_cast<int>(names_.size()) - 1;
    return Status::ok();
}

Result<bool> ProfileManagerModel::copy(int index, Language language) {
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size() ||
        names_.size() >= static_cast<std::size_t>(kMaxProfiles)) {
        return false;
    }
    const DataFolder folder{path_.parent_path()};
    Result<std::vector<std::uint8_t>> image = read_file(folder.image(index), kProfileImageSize);
    if (!image) return Error{image.error().code, "nothing copied: " + image.error().message};
    // A profile without an INI shows no labels; its copy gets none either.
    std::string labels;
    Result<std::vector<std::uint8_t>> ini = read_file(folder.ini(index), kMaxIniFileSize);
    if (ini) {
        labels.assign(ini->begin(), ini->end());
    } else if (ini.error().code != ErrorCode::kNotFound) {
        return Error{ini.error().code, "nothing copied: " + ini.error().message};
    }
    const int to = static_cast<int>(names_.size());
    copies_.push_back({to, std::string(image->begin(), image->end()), std::move(labels)});
    // An entry left empty by another program is copied as the bare word: no blank at the end.
    const std::string& name = names_[static_cast<std::size_t>(index)];
    names_.push_back(std::string(profile_manager_texts(language).menu_copy) +
                     (name.empty() ? "" : " " + name));
    return true;
}

bool ProfileManagerModel::remove(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size()) return false;
    names_.erase(names_.begin() + index);
    if (selected_ == index)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
    return true;
}

Status ProfileManagerModel::rename(int index, std::string_view name) {
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size()) {
        return Error{ErrorCode::kInvalidArgument, "no profile at that position"};
    }
    if (Status valid = validate_profile_name(name); !valid) return valid;
    // The current profile is found by its exact name: a name printing like another entry's
    // but not equal to it would show two alike and pick one the user cannot tell.
    const std::string key = comparable_name(name);
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (static_cast<int>(i) != index && names_[i] != name && comparable_name(names_[i]) == key)
            return Error{ErrorCode::kInvalidArgument,
                         "a profile name must differ from profile " + std::to_string(i) +
                             "'s in what shows, not only in invisible or composed characters"};
    }
    names_[static_cast<std::size_t>(index)] = std::string(name);
    return Status::ok();
}

Status ProfileManagerModel::save(Language language) const {
    FileTransaction change(path_.parent_path());
    if (Status s = stage(change, language); !s) return s;
    return change.commit();
}

Status ProfileManagerModel::save_in_turn(Language language) const {
    Result<FolderLock> lock = FolderLock::acquire(path_.parent_path());
    return lock ? save(language) : lock.status();
}

Status ProfileManagerModel::stage(FileTransaction& change, Language language) const {
    // The whole list is written from the copy load read: a list another program changed
    // since would lose that change.
    Result<ProfileList> now = read_profile_list(path_);
    if (!now) return now.error();
    if (*now != loaded_) {
        return Error{ErrorCode::kInvalidData,
                     std::string(profile_manager_texts(language).changed_elsewhere)};
    }
    const DataFolder folder{path_.parent_path()};
    for (const CopiedFiles& copied : copies_) {
        if (static_cast<std::size_t>(copied.to) >= names_.size()) continue;  // deleted since
        change.stage(folder.image(copied.to), copied.image);
        change.stage(folder.ini(copied.to), copied.labels);
    }
    return stage_profile_list(change, path_, names_, selected_);
}

}  // namespace p330
