#include "core/formats/profile_list.h"

#include "core/formats/file_transaction.h"
#include "core/formats/ini_document.h"
#include "core/util/parse_int.h"

namespace p330 {
namespace {
constexpr std::string_view kSection = "Profile";
}

Result<ProfileList> read_profile_list(const std::filesystem::path& main_ini) {
    Result<IniDocument> doc = IniDocument::load(main_ini);
    if (!doc) return doc.error();
    return profile_list_from(*doc);
}

ProfileList profile_list_from(const IniDocument& doc) {
    ProfileList list;
    list.count = parse_leading_int(doc.get_or_empty(kSection, "ItemCount"));
    if (!list.usable()) return list;
    const std::string current = doc.get_or_empty(kSection, "CurProfileName");
    for (int i = 0; i < list.count; ++i) {
        list.names.push_back(doc.get_or_empty(kSection, "Item" + std::to_string(i)));
        if (list.names.back() == current) list.current = i;  // the last equal item wins
    }
    return list;
}

Status stage_profile_list(FileTransaction& change, const std::filesystem::path& main_ini,
                          const std::vector<std::string>& names, int current) {
    std::error_code ec;
    if (!std::filesystem::exists(main_ini, ec)) return Status::ok();
    Result<IniDocument*> doc = change.ini(main_ini);
    if (!doc) return doc.error();
    IniDocument& file = **doc;
    file.remove_section(kSection);
    const int chosen = current >= 0 ? current : 0;
    file.set(kSection, "CurProfileName",
             names.empty() ? std::string() : names[static_cast<std::size_t>(chosen)]);
    if (!names.empty()) {
        file.set(kSection, "ItemCount", std::to_string(names.size()));
        for (std::size_t i = 0; i < names.size(); ++i)
            file.set(kSection, "Item" + std::to_string(i), names[i]);
    }
    return change.stage_ini(main_ini, file);
}

}  // namespace p330
