#include "core/config/settings_controller.h"

#include "core/buttons/function_catalogue.h"
#include "core/config/full_upload.h"
#include "core/util/file_io.h"
#include "core/util/text_replace.h"

namespace p330 {

UserMessage upload_failed_message(const TransferTally& tally, Language language) {
    std::string text = replace_all(std::string(ui_texts(language).upload_failed), "{failed}",
                                   std::to_string(tally.failed()));
    return UserMessage{replace_all(std::move(text), "{total}", std::to_string(tally.total())),
                       "Warning"};
}

void SettingsController::reread_profile_ini() {
    ini_ = p330::read_profile_ini(profile_.active_ini, language_);
    labels_ = ini_.labels;
}

LoadResult SettingsController::start() {
    remove_stale_temp_files(folder_.dir);  // what saves cut short by a kill left behind
    LoadResult loaded = choose_and_load_active_profile(folder_, profile_, settings_.current);
    settings_.snapshot();
    language_ =
        language_from_code(p330::read_profile_ini(profile_.active_ini, language_).language_code);
    reread_profile_ini();
    return loaded;
}

TransferTally SettingsController::connect() {
    TransferTally tally;
    if (protocol_ == nullptr) return tally;
    tally = connect_handshake(*protocol_, image_, settings_.current.profile_slot);
    connected_ = true;
    return tally;
}

FlowReport SettingsController::upload_and_save() {
    FlowReport report;
    if (protocol_ == nullptr) return report;
    report.upload = full_upload(*protocol_, settings_.current, image_);
    report.uploaded = true;
    if (!report.upload->ok())
        report.messages.push_back(upload_failed_message(*report.upload, language_));
    SaveResult saved = save_active_profile(folder_, profile_, settings_.current);
    if (saved.message) report.messages.push_back(*saved.message);
    if (Status s = write_labels(profile_.active_ini, language_, labels_); !s) {
        report.messages.push_back(UserMessage{s.message(), "Warning"});
    }
    return report;
}

void SettingsController::apply_pointer(FlowReport& report) {
    if (pointer_ == nullptr) return;
    for (UserMessage& m : pointer_warnings(pointer_->apply(pointer_values(settings_.current)))) {
        report.messages.push_back(std::move(m));
    }
}

FlowReport SettingsController::apply() {
    if (!connected_) return {};
    FlowReport report = upload_and_save();
    settings_.snapshot();
    apply_pointer(report);
    return report;
}

FlowReport SettingsController::reset() {
    FlowReport report;
    const std::uint8_t slot = settings_.current.profile_slot;
    profile_.load_defaults = true;
    LoadResult loaded = choose_and_load_active_profile(folder_, profile_, settings_.current);
    if (loaded.message) report.messages.push_back(*loaded.message);
    reread_profile_ini();
    settings_.current.profile_slot = slot;
    if (connected_) {
        FlowReport applied = upload_and_save();
        report.uploaded = applied.uploaded;
        report.upload = applied.upload;
        report.messages.insert(report.messages.end(), applied.messages.begin(),
                               applied.messages.end());
        settings_.snapshot();
        apply_pointer(report);
    }
    profile_.load_defaults = false;
    return report;
}

void SettingsController::cancel() {
    settings_.restore();
    reload_pending_ = true;
}

LoadResult SettingsController::reload_if_pending() {
    if (!reload_pending_) return {};
    reload_pending_ = false;
    reread_profile_ini();
    return choose_and_load_active_profile(folder_, profile_, settings_.current);
}

LoadResult SettingsController::load_active_profile() {
    LoadResult loaded = choose_and_load_active_profile(folder_, profile_, settings_.current);
    reread_profile_ini();
    return loaded;
}

void SettingsController::select_profile(int index) {
    if (index >= 0 && index < kMaxProfiles) profile_.index = static_cast<std::uint8_t>(index);
}

Status SettingsController::apply_first_run_labels() {
    if (profile_.first_run_flag != 0) return Status::ok();
    labels_ = first_run_labels(language_);
    return write_labels(profile_.active_ini, language_, labels_);
}

}  // namespace p330
