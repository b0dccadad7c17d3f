#include "core/lang/error_texts.h"

#include "core/util/folder_lock.h"
#include "core/util/text_replace.h"

namespace p330 {

std::string error_text(const Error& error, Language language) {
    const UiTexts& texts = ui_texts(language);
    if (error.code == ErrorCode::kFolderBusy) {
        const auto seconds =
            std::chrono::duration_cast<std::chrono::seconds>(kFolderLockWait).count();
        return replace_all(std::string(texts.folder_busy), "{seconds}", std::to_string(seconds));
    }
    if (error.code == ErrorCode::kBusy) return std::string(texts.mouse_busy);
    return error.message;
}

}  // namespace p330
