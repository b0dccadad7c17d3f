#pragma once
// A profile INI (str%d.ini, str.ini, an exported .ini): the eight button labels of each
// language's section, and the Skins keys (language, skin folder, text colour).

#include <array>
#include <filesystem>
#include <string>

#include "core/lang/language.h"
#include "core/model/settings_record.h"
#include "core/result.h"

namespace p330 {

class FileTransaction;

struct ProfileIni {
    std::array<std::string, kButtonCount> labels;  // of the language asked for
    std::array<std::array<std::string, kButtonCount>, 3> labels_by_language;
    std::string language_code;
    std::string skin_path;
    std::string red, green, blue;
};

// A missing file and missing keys read as empty strings; a file that cannot be read as an
// INI (not text, too large, unreadable) is an error naming it.
Result<ProfileIni> load_profile_ini(const std::filesystem::path& path, Language language);
// The same, with an unreadable file read as empty, where the program goes on silently.
ProfileIni read_profile_ini(const std::filesystem::path& path, Language language);

Status write_labels(const std::filesystem::path& path, Language language,
                    const std::array<std::string, kButtonCount>& labels);
// The language key of the Skins section.
Status write_language(const std::filesystem::path& path, Language language);
// The same two changes as parts of a change of several files.
Status stage_labels(FileTransaction& change, const std::filesystem::path& path, Language language,
                    const std::array<std::string, kButtonCount>& labels);
Status stage_language(FileTransaction& change, const std::filesystem::path& path,
                      Language language);

}  // namespace p330
