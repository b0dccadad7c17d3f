#include "gui/app/drawing_check.h"

#include <QDir>
#include <QImageReader>

#include "core/formats/ini_document.h"
#include "core/util/text_replace.h"
#include "gui/skin/skin_folder.h"

namespace p330::gui {

SkinCheck check_window_can_be_drawn(const QStringList& skin_roots,
                                    const std::filesystem::path& profile_ini,
                                    const std::string& skin_path, Language language) {
    const UiTexts& texts = ui_texts(language);
    const std::string skins = QDir::cleanPath(skin_roots.front()).toStdString();
    auto problem = [](std::string_view text,
                      std::initializer_list<std::pair<const char*, std::string>> fields) {
        std::string filled(text);
        for (const auto& [name, value] : fields)
            filled = replace_all(std::move(filled), name, value);
        return SkinCheck{QString(), UserMessage{std::move(filled), ""}};
    };

    // A missing INI reads as empty; one that exists and cannot be read names no skin at all.
    if (Result<IniDocument> ini = IniDocument::load(profile_ini); !ini)
        return problem(texts.profile_ini_unreadable, {{"{reason}", ini.error().message}});

    const std::optional<QString> dir =
        find_skin_directory(skin_roots, QString::fromStdString(skin_path));
    if (!dir) return problem(texts.skin_path_refused, {{"{path}", skin_path}, {"{folder}", skins}});

    std::string missing;
    for (const char* image : {"start.png", "main.png"}) {
        if (QImageReader(*dir + "/" + image).canRead()) continue;
        if (!missing.empty()) missing += texts.list_separator;
        missing += image;
    }
    if (!missing.empty()) {
        return problem(texts.skin_images_missing,
                       {{"{folder}", dir->toStdString()}, {"{files}", missing}});
    }
    return SkinCheck{*dir, std::nullopt};
}

}  // namespace p330::gui
