#pragma once
// Where the program's files are. The user's files (profiles, INIs, record.ini, the simulated
// mouse's state) live in the user's folder, $XDG_CONFIG_HOME/p330; the shipped defaults and
// skins are read-only data found relative to the executable (<prefix>/bin ->
// <prefix>/share/p330), so a build tree, an installed and a relocated tree work alike.
// --data-dir keeps every file in one folder instead; a new or empty one is made from the
// shipped defaults, and a skin not in it is found among the shipped skins.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/data_folder.h"
#include "core/lang/language.h"
#include "core/result.h"

namespace p330 {

// What the process environment says about the user.
struct UserEnvironment {
    std::string xdg_config_home;
    std::string home;
    std::string locale;  // LC_ALL, else LC_MESSAGES, else LANG

    static UserEnvironment from_process();
};

struct DataLocations {
    std::filesystem::path user_dir;                 // the user's files; written by the program
    std::filesystem::path defaults_dir;             // config*.bin, str*.ini, record.ini as shipped
    std::vector<std::filesystem::path> skin_roots;  // Skins folders, searched in order
    bool single_folder = false;                     // --data-dir
    // What a new folder is made from; empty: defaults_dir.
    std::filesystem::path shipped_defaults{};

    const std::filesystem::path& seed_dir() const {
        return shipped_defaults.empty() ? defaults_dir : shipped_defaults;
    }

    DataFolder folder() const { return DataFolder{user_dir, defaults_dir}; }
};

// The shipped data folder of an executable in exe_dir.
std::filesystem::path shipped_data_dir(const std::filesystem::path& exe_dir);
// $XDG_CONFIG_HOME/p330, or ~/.config/p330 when that is unset or not an absolute path.
Result<std::filesystem::path> user_data_dir(const UserEnvironment& env);
// data_dir non-empty: the single-folder layout in data_dir.
Result<DataLocations> locate_data(const std::filesystem::path& data_dir, const UserEnvironment& env,
                                  const std::filesystem::path& exe_dir);

// zh_CN and zh_SG read simplified Chinese; zh_TW, zh_HK and zh_MO traditional; else English.
Language language_for_locale(std::string_view locale);

// The files the build ships and a user folder starts from.
std::vector<std::string> shipped_file_names();

// Copies every shipped file the user's folder lacks; a file that is there is never replaced,
// not even one that appears while the copy is made. The INIs copied carry `language`.
// Returns the names copied. A --data-dir folder is filled only when it is missing or holds
// nothing (hidden files aside); one that holds files but no profile list is refused, saying
// how to start afresh, since it is not a data folder and filling it could mix in strangers.
Result<std::vector<std::string>> seed_user_folder(const DataLocations& where, Language language);

}  // namespace p330
