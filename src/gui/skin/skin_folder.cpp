#include "gui/skin/skin_folder.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>

#include "core/util/parse_int.h"

namespace p330::gui {
namespace {

QString really(const QString& path) {
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::weakly_canonical(path.toStdString(), ec);
    return ec ? QString() : QString::fromStdString(real.string());
}

bool inside(const QString& dir, const QString& root) {
    return !root.isEmpty() && (dir == root || dir.startsWith(root + "/"));
}

}  // namespace

namespace {

std::optional<QString> skin_in(const QString& skins_root, const QString& path_value) {
    if (QDir::isAbsolutePath(path_value) || path_value.startsWith('~')) return std::nullopt;
    const QString skins = QDir::cleanPath(skins_root);
    const QString dir = QDir::cleanPath(skins + "/" + path_value);
    if (!inside(dir, skins)) return std::nullopt;
    // A link inside Skins/ may lead anywhere: where the folder really is decides (as far as
    // it exists; the rest of the path is taken as written).
    if (!inside(really(dir), really(skins))) return std::nullopt;
    return dir;
}

}  // namespace

std::optional<QString> skin_directory(const QString& data_dir, const QString& path_value) {
    return skin_in(data_dir + "/Skins", path_value);
}

std::optional<QString> find_skin_directory(const QStringList& skin_roots,
                                           const QString& path_value) {
    std::optional<QString> found;
    for (const QString& root : skin_roots) {
        found = skin_in(root, path_value);
        if (!found || QFileInfo(*found).isDir()) return found;
    }
    return found;
}

TextColour text_colour_from_strings(const std::string& red, const std::string& green,
                                    const std::string& blue) {
    auto byte = [](const std::string& s) {
        return static_cast<int>(static_cast<unsigned>(parse_leading_int(s)) & 0xFF);
    };
    return TextColour{byte(red), byte(green), byte(blue)};
}

}  // namespace p330::gui
