#include "gui/skin/skin_folder.h"

#include <QDir>

#include "core/util/parse_int.h"

namespace p330::gui {

std::optional<QString> skin_directory(const QString& data_dir, const QString& path_value) {
    if (QDir::isAbsolutePath(path_value) || path_value.startsWith('~')) return std::nullopt;
    const QString skins = QDir::cleanPath(data_dir + "/Skins");
    const QString dir = QDir::cleanPath(skins + "/" + path_value);
    if (dir != skins && !dir.startsWith(skins + "/")) return std::nullopt;
    return dir;
}

TextColour text_colour_from_strings(const std::string& red, const std::string& green,
                                    const std::string& blue) {
    auto byte = [](const std::string& s) {
        return static_cast<int>(static_cast<unsigned>(parse_leading_int(s)) & 0xFF);
    };
    return TextColour{byte(red), byte(green), byte(blue)};
}

}  // namespace p330::gui
