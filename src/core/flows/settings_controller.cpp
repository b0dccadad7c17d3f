#include "core/flows/settings_controller.h"

#include <algorithm>
#include <utility>

#include "core/buttons/function_catalogue.h"
#include "core/util/file_io.h"
#include "core/util/folder_lock.h"

namespace p330 {

void SettingsController::reread_profile_ini() {
    ini_ = p330::read_profile_ini(profile_.active_ini, language_);
    labels_ = ini_.labels;
    restamp();
}

FilesStamp SettingsController::current_stamp() const {
    return stamp_files(saved_profile_files(folder_, profile_));
}

void SettingsController::restamp() {
    stamped_ = saved_profile_files(folder_, profile_);
    stamp_ = stamp_files(stamped_);
}

bool SettingsController::files_changed_elsewhere() const {
    // Another profile chosen since: its files were never shown, so nothing of them is lost.
    return stamped_ == saved_profile_files(folder_, profile_) && current_stamp() != stamp_;
}

bool SettingsController::has_unsaved_edits() const {
    const auto now = record_bytes(settings_.current);
    const auto saved = record_bytes(settings_.saved_settings);
    return !std::equal(now.begin(), now.end(), saved.begin()) || labels_ != ini_.labels;
}

bool SettingsController::reset_would_lose() const {
    if (has_unsaved_edits()) return true;
    // Without the mouse a Reset changes only what the window shows: Cancel brings it back.
    if (!connected_ || protocol_ == nullptr) return false;
    Result<ProfileImage> defaults = read_profile_image(folder_.default_image());
    if (!defaults) return true;
    defaults->record.profile_slot = settings_.saved_settings.profile_slot;  // Reset keeps it
    const auto shipped = record_bytes(defaults->record);
    const auto saved = record_bytes(settings_.saved_settings);
    return !std::equal(shipped.begin(), shipped.end(), saved.begin());
}

void SettingsController::saved_files_rewritten(
    const SettingsRecord& record, const std::array<std::string, kButtonCount>& labels) {
    // Another profile chosen since: the files shown before are not the ones rewritten.
    if (stamped_ != saved_profile_files(folder_, profile_)) return;
    settings_.saved_settings = record;
    ini_.labels = labels;
    restamp();
}

LoadResult SettingsController::start() {
    // Read under the lock: a change another program has half made is finished first.
    const Result<FolderLock> turn = FolderLock::acquire(folder_.dir);
    remove_stale_temp_files(folder_.dir);  // what saves cut short by a kill left behind
    LoadResult loaded =
        tell_once(choose_and_load_active_profile(folder_, profile_, settings_.current));
    if (loaded.image_refused) {
        // The window shows the shipped defaults rather than an empty record, which Save would
        // write as a profile no reader takes; the refused file stays until the user saves.
        if (Result<ProfileImage> defaults = read_profile_image(folder_.default_image())) {
            settings_.current = defaults->record;
            if (loaded.message)
                loaded.message->text +=
                    "\nThe shipped defaults are shown; Save writes them into it.";
        }
    }
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

UploadJob SettingsController::make_job() {
    // The full upload's first step, on the record the window shows as well as on the copy.
    settings_.current.profile_slot = 0;
    image_.current_profile = 0;
    UploadJob job;
    job.record = settings_.current;
    job.labels = labels_;
    job.image = image_;
    job.folder = folder_;
    job.profile = profile_;
    job.language = language_;
    if (!std::exchange(overwrite_, false) && stamped_ == saved_profile_files(folder_, profile_))
        job.expected = stamp_;
    job.protocol = protocol_;
    job.pointer = pointer_;
    return job;
}

std::optional<UploadJob> SettingsController::begin_apply() {
    if (!connected_ || protocol_ == nullptr) return std::nullopt;
    return make_job();
}

std::optional<UploadJob> SettingsController::begin_reset(FlowReport& report) {
    const std::uint8_t slot = settings_.current.profile_slot;
    profile_.load_defaults = true;
    LoadResult loaded = choose_and_load_active_profile(folder_, profile_, settings_.current);
    if (loaded.message) report.messages.push_back(*loaded.message);
    reread_profile_ini();
    settings_.current.profile_slot = slot;
    if (!connected_ || protocol_ == nullptr) return std::nullopt;
    return make_job();
}

void SettingsController::finish_upload(const UploadJob& job, FlowReport& report) {
    image_ = job.image;
    profile_.active_image = job.profile.active_image;
    profile_.active_ini = job.profile.active_ini;
    settings_.saved_settings = job.record;
    report.uploaded = job.report.uploaded;
    report.changed_elsewhere = job.report.changed_elsewhere;
    report.upload = job.report.upload;
    report.messages.insert(report.messages.end(), job.report.messages.begin(),
                           job.report.messages.end());
    if (!job.report.changed_elsewhere) {
        ini_.labels = job.labels;  // what the files hold now
        restamp();
    }
    if (job.pointer_applied) {
        for (UserMessage& m : pointer_report_.messages(*job.pointer_applied, language_))
            report.messages.push_back(std::move(m));
    }
}

FlowReport SettingsController::apply() {
    FlowReport report;
    std::optional<UploadJob> job = begin_apply();
    if (!job) return report;
    job->run();
    finish_upload(*job, report);
    return report;
}

FlowReport SettingsController::reset() {
    FlowReport report;
    if (std::optional<UploadJob> job = begin_reset(report)) {
        job->run();
        finish_upload(*job, report);
    }
    end_reset();
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
    return tell_once(choose_and_load_active_profile(folder_, profile_, settings_.current));
}

LoadResult SettingsController::reload_from_files() {
    LoadResult loaded = load_active_profile();
    settings_.snapshot();
    return loaded;
}

LoadResult SettingsController::load_active_profile() {
    // No half-made change; another reader does not hold it up.
    const Result<FolderLock> turn = FolderLock::acquire_for_reading(folder_.dir);
    LoadResult loaded =
        tell_once(choose_and_load_active_profile(folder_, profile_, settings_.current));
    reread_profile_ini();
    return loaded;
}

LoadResult SettingsController::tell_once(LoadResult loaded) {
    // The same file read again (a restore, the mouse plugged in) is not announced again.
    if (!loaded.adjusted.empty() &&
        std::exchange(told_adjusted_, loaded.adjusted) == loaded.adjusted)
        loaded.message.reset();
    return loaded;
}

void SettingsController::select_profile(int index) {
    if (index >= 0 && index < kMaxProfiles) profile_.index = static_cast<std::uint8_t>(index);
}

Status SettingsController::apply_first_run_labels() {
    if (profile_.first_run_flag != 0) return Status::ok();
    labels_ = first_run_labels(language_);
    Status written = write_labels(profile_.active_ini, language_, labels_);
    if (written) {
        ini_.labels = labels_;
        restamp();  // this program's own change
    }
    return written;
}

}  // namespace p330
