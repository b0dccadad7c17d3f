#pragma once
// Where the skin lives: a Skins folder + the profile INI's Path. A Path that would lead out of
// the Skins folder, by its text or through a symbolic link, is refused.

#include <QString>
#include <QStringList>
#include <optional>

namespace p330::gui {

std::optional<QString> skin_directory(const QString& data_dir, const QString& path_value);
// The first of the Skins folders that holds path_value (the user's before the shipped ones);
// the last one's when none does. Refused as above.
std::optional<QString> find_skin_directory(const QStringList& skin_roots,
                                           const QString& path_value);

// The skin text colour from the INI strings: each value as a decimal integer truncated to
// a byte; the program's initial green until the INI says otherwise.
struct TextColour {
    int red = 0, green = 255, blue = 0;
};
TextColour text_colour_from_strings(const std::string& red, const std::string& green,
                                    const std::string& blue);

}  // namespace p330::gui
