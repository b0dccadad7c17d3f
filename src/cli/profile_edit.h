#pragma once
// One profile of the data folder as 'get' and 'set' see it: its record, labels and language,
// read from and written back to config<N>.bin and str<N>.ini.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/context.h"
#include "core/lang/language.h"
#include "core/model/settings_record.h"

namespace p330::cli {

struct ProfileEdit {
    int index = 0;
    std::filesystem::path ini;  // str<N>.ini
    std::string name;           // the profile list's name for the position, when it has one
    std::uint8_t first_run_flag = 0;
    SettingsRecord record{};
    Language language = Language::kEnglish;
    std::array<std::string, kButtonCount> labels;
    std::vector<std::string> macro_names;  // record.ini in file order
    bool labels_changed = false;
    bool language_changed = false;
};

// --profile N, or the active profile of the main INI. Prints why not and returns the exit
// code when the profile cannot be read.
int load_profile_edit(const Context& c, ProfileEdit& edit);
int load_profile_edit(const Context& c, ProfileEdit& edit, std::optional<int> index);
// Writes the image and, when they changed, the labels and the language key.
int save_profile_edit(const Context& c, const ProfileEdit& edit);
// The language of the active profile, which the program as a whole speaks.
Language active_language(const Context& c);

}  // namespace p330::cli
