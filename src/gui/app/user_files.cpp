#include "gui/app/user_files.h"

#include <QDir>
#include <cstdio>

namespace p330::gui {

std::optional<DataLocations> locate_user_files(AppOptions& options, const QString& data_dir) {
    Result<std::filesystem::path> exe = executable_folder();
    Result<DataLocations> where = locate_data(
        data_dir.isEmpty() ? std::string() : QDir(data_dir).absolutePath().toStdString(),
        UserEnvironment::from_process(), exe ? *exe : std::filesystem::path());
    if (!where) {
        std::fprintf(stderr, "p330: %s\n", where.error().message.c_str());
        return std::nullopt;
    }
    options.data_dir = QString::fromStdString(where->user_dir.string());
    options.defaults_dir = QString::fromStdString(where->defaults_dir.string());
    for (const auto& root : where->skin_roots)
        options.skin_roots << QString::fromStdString(root.string());
    return *where;
}

QString seed_user_files(const DataLocations& where) {
    const UserEnvironment env = UserEnvironment::from_process();
    Result<std::vector<std::string>> seeded =
        seed_user_folder(where, language_for_locale(env.locale));
    if (seeded) return {};
    std::fprintf(stderr, "p330: %s\n", seeded.error().message.c_str());
    return QString::fromStdString(seeded.error().message);
}

}  // namespace p330::gui
