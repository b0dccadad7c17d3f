#pragma once
// Where the skin lives: the data folder + "Skins/" + the profile INI's Path. A Path that
// would lead out of the Skins folder, by its text or through a symbolic link, is refused.

#include <QString>
#include <optional>

namespace p330::gui {

std::optional<QString> skin_directory(const QString& data_dir, const QString& path_value);

// The skin text colour from the INI strings: each value as a decimal integer truncated to
// a byte; the program's initial green until the INI says otherwise.
struct TextColour {
    int red = 0, green = 255, blue = 0;
};
TextColour text_colour_from_strings(const std::string& red, const std::string& green,
                                    const std::string& blue);

}  // namespace p330::gui
