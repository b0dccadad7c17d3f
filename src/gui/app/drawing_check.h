#pragma once
// Before the window is built: can it be drawn at all? A user's folder that could not be set
// up, a profile list or profile INI that cannot be read, a profile INI that names no skin, a
// skin path that leads out of the skin folder, or a skin folder without the splash and main
// images would leave nothing on screen; the user is told which file or folder and why.

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

#include "core/flows/profile_files.h"
#include "core/lang/language.h"

namespace p330::gui {

struct SkinCheck {
    QString skin_dir;                    // where the skin is, when it can be used
    std::optional<UserMessage> problem;  // why the window cannot be drawn, in the language
};

struct DrawingSources {
    QStringList skin_roots;             // the Skins folders searched in order
    std::filesystem::path user_folder;  // where the profile files live
    std::filesystem::path main_ini;     // the profile list
    std::filesystem::path profile_ini;  // the active profile's INI
    std::string skin_path;              // its [Skins] Path
    std::string folder_problem;         // why the user's folder could not be filled, if so
};

// What the splash and the main view need: the profile files, the skin folder, start.png and
// main.png. Cheap enough to run before the first paint.
SkinCheck check_window_can_be_drawn(const DrawingSources& sources, Language language);

// Every other image of the skin, from its headers: run once the splash is on screen.
std::optional<UserMessage> check_whole_skin(const QString& skin_dir, Language language);

}  // namespace p330::gui
