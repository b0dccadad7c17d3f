#pragma once
// Before the window is built: can it be drawn at all? A profile INI that cannot be read, a
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

// skin_roots: the Skins folders searched in order.
SkinCheck check_window_can_be_drawn(const QStringList& skin_roots,
                                    const std::filesystem::path& profile_ini,
                                    const std::string& skin_path, Language language);

}  // namespace p330::gui
