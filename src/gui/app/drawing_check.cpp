#include "gui/app/drawing_check.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include "core/formats/ini_document.h"
#include "core/util/text_replace.h"
#include "gui/skin/skin_file_check.h"
#include "gui/skin/skin_folder.h"

namespace p330::gui {

namespace {

SkinCheck problem(std::string_view text,
                  std::initializer_list<std::pair<const char*, std::string>> fields) {
    std::string filled(text);
    for (const auto& [name, value] : fields) filled = replace_all(std::move(filled), name, value);
    return SkinCheck{QString(), UserMessage{std::move(filled), ""}};
}

// The profile list and the active profile's INI, in the order the start reads them.
std::optional<SkinCheck> check_profile_files(const DrawingSources& in, const UiTexts& texts) {
    std::error_code error;
    if (!std::filesystem::exists(in.main_ini, error)) {
        if (!in.folder_problem.empty()) {
            return problem(texts.user_folder_unusable, {{"{folder}", in.user_folder.string()},
                                                        {"{reason}", in.folder_problem}});
        }
        return problem(texts.profile_list_unreadable,
                       {{"{reason}", in.main_ini.string() + " does not exist"}});
    }
    if (Result<IniDocument> list = IniDocument::load(in.main_ini); !list)
        return problem(texts.profile_list_unreadable, {{"{reason}", list.error().message}});
    // A missing INI reads as empty; one that exists and cannot be read names no skin at all.
    if (Result<IniDocument> ini = IniDocument::load(in.profile_ini); !ini)
        return problem(texts.profile_ini_unreadable, {{"{reason}", ini.error().message}});
    return std::nullopt;
}

// The images the first paint draws, decoded once their headers passed (so the decoding is
// bounded): an image whose data is damaged is found here, before the window is shown, rather
// than painted as nothing. The @2x partner too, where the skin has one.
std::optional<std::string> undecodable_first_paint_image(const QString& dir) {
    for (const char* name : {"start.png", "main.png", "start@2x.png", "main@2x.png"}) {
        const QString path = dir + "/" + QString::fromLatin1(name);
        if (!QFileInfo::exists(path)) continue;
        QImageReader reader(path, "png");
        if (reader.read().isNull())
            return std::string(name) + " (" + reader.errorString().toStdString() + ")";
    }
    return std::nullopt;
}

}  // namespace

SkinCheck check_window_can_be_drawn(const DrawingSources& in, Language language) {
    const UiTexts& texts = ui_texts(language);
    if (std::optional<SkinCheck> files = check_profile_files(in, texts)) return *files;

    const std::string skins = QDir::cleanPath(in.skin_roots.front()).toStdString();
    const std::optional<QString> dir =
        find_skin_directory(in.skin_roots, QString::fromStdString(in.skin_path));
    if (!dir) {
        return problem(texts.skin_path_refused, {{"{path}", in.skin_path}, {"{folder}", skins}});
    }

    // The splash and the main view from their headers only, so that nothing is decoded that
    // could hang or take too much memory; the rest of the folder waits for the first paint.
    std::string missing;
    for (const char* image : {"start.png", "main.png"}) {
        Status usable = check_skin_image(dir->toStdString(), image, skin_window_size());
        if (usable) continue;
        if (usable.error().code != ErrorCode::kNotFound) {
            return problem(texts.skin_images_missing,
                           {{"{folder}", dir->toStdString()}, {"{files}", usable.message()}});
        }
        if (!missing.empty()) missing += texts.list_separator;
        missing += image;
    }
    if (missing.empty()) {
        if (std::optional<std::string> bad = undecodable_first_paint_image(*dir)) {
            return problem(texts.skin_images_missing,
                           {{"{folder}", dir->toStdString()}, {"{files}", *bad}});
        }
        return SkinCheck{*dir, std::nullopt};
    }
    // Without a Path the skin folder's root is used, which holds no skin as shipped.
    if (in.skin_path.empty())
        return problem(texts.skin_path_missing, {{"{file}", in.profile_ini.string()}});
    return problem(texts.skin_images_missing,
                   {{"{folder}", dir->toStdString()}, {"{files}", missing}});
}

std::optional<UserMessage> check_whole_skin(const QString& skin_dir, Language language) {
    Status files = check_skin_files(skin_dir.toStdString(), skin_window_size());
    if (files) return std::nullopt;
    return problem(ui_texts(language).skin_images_missing,
                   {{"{folder}", skin_dir.toStdString()}, {"{files}", files.message()}})
        .problem;
}

}  // namespace p330::gui
