#include "core/flows/windows_import_check.h"

#include "core/formats/ini_document.h"
#include "core/formats/macro_file.h"
#include "core/formats/name_rules.h"
#include "core/formats/profile_list.h"
#include "core/macro/macro_manager_model.h"
#include "core/util/parse_int.h"
#include "core/util/quoted_value.h"

namespace p330 {
namespace fs = std::filesystem;
namespace {

Error import_refused(const fs::path& file, const std::string& why) {
    return Error{ErrorCode::kInvalidData, file.string() + ": " + why};
}

Status check_profile_list(const IniDocument& doc, const fs::path& file) {
    const ProfileList list = profile_list_from(doc);
    if (!list.usable())
        return import_refused(
            file, "[Profile] ItemCount=" + quoted_value(doc.get_or_empty("Profile", "ItemCount")) +
                      ": the profile list holds 1 to " + std::to_string(kMaxProfiles) +
                      " profiles");
    for (std::size_t i = 0; i < list.names.size(); ++i) {
        if (Status s = validate_profile_name(list.names[i]); !s)
            return import_refused(file, "[Profile] Item" + std::to_string(i) + ": " + s.message());
    }
    return Status::ok();
}

Status check_macro(const IniDocument& doc, const std::string& name, const fs::path& file) {
    const std::string at = "[" + printable(name) + "] ";
    if (Status s = validate_macro_name(name); !s) return import_refused(file, at + s.message());
    const std::string count_text = doc.get_or_empty(name, "ItemCount");
    // No ItemCount is an empty macro, as the program reads one.
    const std::optional<long long> count =
        count_text.empty() ? std::optional<long long>(0) : parse_decimal(count_text);
    if (!count || *count < 0 || *count > kMaxMacroItemsRead)
        return import_refused(file, at + "ItemCount=" + quoted_value(count_text) +
                                        ": a macro holds 0 to " +
                                        std::to_string(kMaxMacroItemsRead) + " items");
    const std::string loop = doc.get_or_empty(name, "MacroLoopTimes");
    if (const std::optional<long long> times = parse_decimal(loop);
        !loop.empty() && (!times || !valid_macro_loop_times(*times)))
        return import_refused(file, at + "MacroLoopTimes=" + quoted_value(loop) +
                                        ": a macro plays 1 to " +
                                        std::to_string(kMaxMacroLoopTimes) + " times");
    for (long long i = 0; i < *count; ++i) {
        const std::string key = "Item" + std::to_string(i);
        const std::string item = doc.get_or_empty(name, key);
        if (!macro_item_from_text(item))
            return import_refused(file, at + key + "=" + quoted_value(item) +
                                            ": an item is 'KEY   Dn', 'KEY   Up' (a key of the key "
                                            "table, three blanks) or 'N ms'");
    }
    return Status::ok();
}

Status check_macros(const IniDocument& doc, const fs::path& file) {
    const std::vector<std::string> names = macro_names(doc);
    for (std::size_t i = 0; i < names.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (macro_names_equal(names[j], names[i]))
                return import_refused(file, "[" + printable(names[i]) +
                                                "] is a second macro named as " + "[" +
                                                printable(names[j]) + "]");
        }
        if (Status s = check_macro(doc, names[i], file); !s) return s;
    }
    return Status::ok();
}

}  // namespace

Status check_windows_import(const std::vector<ImportedFile>& files, const fs::path& source) {
    for (const ImportedFile& f : files) {
        const bool list = f.name == "str.ini", macros = f.name == "record.ini";
        if (!list && !macros) continue;
        const fs::path file = source / f.name;
        Result<IniDocument> doc = IniDocument::parse(f.bytes);
        if (!doc) return import_refused(file, doc.error().message);
        if (Status s = list ? check_profile_list(*doc, file) : check_macros(*doc, file); !s)
            return s;
    }
    return Status::ok();
}

}  // namespace p330
