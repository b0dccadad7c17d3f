#include "core/formats/label_ini.h"

#include "core/formats/file_transaction.h"
#include "core/formats/ini_document.h"

namespace p330 {

Result<ProfileIni> load_profile_ini(const std::filesystem::path& path, Language language) {
    Result<IniDocument> doc = IniDocument::load(path);
    if (!doc) return doc.error();
    ProfileIni ini;
    for (const Language l :
         {Language::kEnglish, Language::kSimplifiedChinese, Language::kTraditionalChinese}) {
        const std::string section(label_section(l));
        auto& labels = ini.labels_by_language[static_cast<std::size_t>(l)];
        for (int i = 0; i < kButtonCount; ++i) {
            labels[static_cast<std::size_t>(i)] =
                doc->get_or_empty(section, "Item" + std::to_string(i + 1));
        }
    }
    ini.labels = ini.labels_by_language[static_cast<std::size_t>(language)];
    ini.language_code = doc->get_or_empty("Skins", "Lan");
    ini.skin_path = doc->get_or_empty("Skins", "Path");
    ini.red = doc->get_or_empty("Skins", "RColor");
    ini.green = doc->get_or_empty("Skins", "GColor");
    ini.blue = doc->get_or_empty("Skins", "BColor");
    return ini;
}

ProfileIni read_profile_ini(const std::filesystem::path& path, Language language) {
    Result<ProfileIni> ini = load_profile_ini(path, language);
    return ini ? *ini : ProfileIni{};
}

Status stage_labels(FileTransaction& change, const std::filesystem::path& path, Language language,
                    const std::array<std::string, kButtonCount>& labels) {
    Result<IniDocument*> doc = change.ini(path);
    if (!doc) return doc.error();
    IniDocument& file = **doc;
    const std::string section(label_section(language));
    for (int i = 0; i < kButtonCount; ++i) {
        file.set(section, "Item" + std::to_string(i + 1), labels[static_cast<std::size_t>(i)]);
    }
    return change.stage_ini(path, file);
}

Status stage_language(FileTransaction& change, const std::filesystem::path& path,
                      Language language) {
    Result<IniDocument*> doc = change.ini(path);
    if (!doc) return doc.error();
    IniDocument& file = **doc;
    file.set("Skins", "Lan", language_code(language));
    return change.stage_ini(path, file);
}

Status write_labels(const std::filesystem::path& path, Language language,
                    const std::array<std::string, kButtonCount>& labels) {
    FileTransaction change(path.parent_path());
    if (Status s = stage_labels(change, path, language, labels); !s) return s;
    return change.commit();
}

Status write_language(const std::filesystem::path& path, Language language) {
    FileTransaction change(path.parent_path());
    if (Status s = stage_language(change, path, language); !s) return s;
    return change.commit();
}

}  // namespace p330
