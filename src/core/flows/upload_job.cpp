#include "core/flows/upload_job.h"

#include "core/flows/full_upload.h"
#include "core/lang/error_texts.h"
#include "core/util/text_replace.h"

namespace p330 {

UserMessage upload_failed_message(const TransferTally& tally, Language language) {
    // Nothing was sent: another program had the mouse. Say so rather than blame the cable.
    if (tally.status().error().code == ErrorCode::kBusy)
        return UserMessage{error_text(tally.status().error(), language), "Warning"};
    const UiTexts& texts = ui_texts(language);
    const std::string not_sent = tally.not_sent() == 0
                                     ? std::string()
                                     : replace_all(std::string(texts.upload_not_sent), "{count}",
                                                   std::to_string(tally.not_sent()));
    std::string text = replace_all(std::string(texts.upload_failed), "{failed}",
                                   std::to_string(tally.failed() - tally.not_sent()));
    text = replace_all(std::move(text), "{not_sent}", not_sent);
    return UserMessage{replace_all(std::move(text), "{total}", std::to_string(tally.total())),
                       "Warning"};
}

void UploadJob::run() {
    report.upload = full_upload(*protocol, record, image);
    report.uploaded = true;
    if (!report.upload->ok())
        report.messages.push_back(upload_failed_message(*report.upload, language));
    SaveResult saved = save_active_profile(folder, profile, record, language, labels, expected);
    if (saved.message) report.messages.push_back(*saved.message);
    report.changed_elsewhere = saved.changed_elsewhere;
    if (pointer != nullptr) pointer_applied = pointer->apply(pointer_values(record));
}

}  // namespace p330
