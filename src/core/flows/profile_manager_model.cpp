#include "core/flows/profile_manager_model.h"

#include "core/formats/ini_document.h"
#include "core/flows/profile_files.h"
#include "core/lang/dialog_texts.h"
#include "core/util/parse_int.h"

namespace p330 {
namespace {

constexpr std::string_view kSection = "Profile";

bool begins_ignoring_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && ini_names_equal(text.substr(0, prefix.size()), prefix);
}

bool file_exists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace

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
    if (!file_exists(main_ini)) return model;
    Result<IniDocument> doc = IniDocument::load(main_ini);
    if (!doc) return doc.error();
    const int count = parse_leading_int(doc->get_or_empty(kSection, "ItemCount"));
    if (count < 1 || count > kMaxProfiles) return model;
    for (int i = 0; i < count; ++i)
        model.names_.push_back(doc->get_or_empty(kSection, "Item" + std::to_string(i)));
    // The list box's prefix search starts after the first item and wraps round to it.
    const std::string current = doc->get_or_empty(kSection, "CurProfileName");
    for (int step = 1; step <= count; ++step) {
        const int i = step % count;
        if (begins_ignoring_case(model.names_[static_cast<std::size_t>(i)], current)) {
            model.selected_ = i;
            break;
        }
    }
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

bool ProfileManagerModel::copy(int index, Language language) {
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size() ||
        names_.size() >= static_cast<std::size_t>(kMaxProfiles)) {
        return false;
    }
    names_.push_back(std::string(profile_manager_texts(language).menu_copy) + " " +
                     names_[static_cast<std::size_t>(index)]);
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
    if (name.find_first_of("\r\n") != std::string_view::npos) {
        return Error{ErrorCode::kInvalidArgument, "a profile name cannot hold a line break"};
    }
    names_[static_cast<std::size_t>(index)] = std::string(name);
    return Status::ok();
}

Status ProfileManagerModel::save() const {
    if (!file_exists(path_)) return Status::ok();
    Result<IniDocument> doc = IniDocument::load(path_);
    if (!doc) return doc.error();
    doc->remove_section(kSection);
    const int current = selected_ >= 0 ? selected_ : 0;
    doc->set(kSection, "CurProfileName",
             names_.empty() ? std::string() : names_[static_cast<std::size_t>(current)]);
    if (!names_.empty()) {
        doc->set(kSection, "ItemCount", std::to_string(names_.size()));
        for (std::size_t i = 0; i < names_.size(); ++i)
            doc->set(kSection, "Item" + std::to_string(i), names_[i]);
    }
    return doc->save(path_);
}

}  // namespace p330
