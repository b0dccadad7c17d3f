#pragma once
// The flows that make edits take effect or undo them, shared by the desktop program and the
// command-line tool: Apply, Reset, Cancel, profile loading and selection.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/device/protocol.h"
#include "core/flows/pointer_settings.h"
#include "core/flows/profile_files.h"
#include "core/flows/upload_job.h"
#include "core/lang/language.h"
#include "core/model/device_image.h"
#include "core/model/settings_record.h"

namespace p330 {

class SettingsController {
  public:
    // protocol and pointer may be null: no mouse link, no desktop backend.
    SettingsController(DataFolder folder, CommandProtocol* protocol, PointerSettings* pointer)
        : folder_(std::move(folder)), protocol_(protocol), pointer_(pointer) {}

    // Start-up: the active profile, the snapshot, the language of its INI, the labels.
    LoadResult start();
    // First contact with the mouse (also after it comes back): the handshake.
    TransferTally connect();
    void set_connected(bool connected) { connected_ = connected; }
    // The protocol of the mouse now open, or null when there is none.
    void set_protocol(CommandProtocol* protocol) { protocol_ = protocol; }
    // Device arrival: the active profile and its INI, without a snapshot.
    LoadResult load_active_profile();
    bool connected() const { return connected_; }

    // Apply and Reset, the upload run here and now.
    FlowReport apply();
    FlowReport reset();

    // Apply and Reset in halves, for an upload on another thread. begin_* does what comes
    // before the upload and gives the job (none without the mouse; Reset's loading messages
    // go into report). While the job runs, the link is the job's alone. finish_upload takes
    // the snapshot from what was sent (later edits stay in the record, unsaved) and adds the
    // job's messages to report; end_reset ends a Reset, with or without an upload.
    std::optional<UploadJob> begin_apply();
    std::optional<UploadJob> begin_reset(FlowReport& report);
    void finish_upload(const UploadJob& job, FlowReport& report);
    void end_reset() { profile_.load_defaults = false; }
    void cancel();
    // A tray restore while a reload is pending: the profile INI, then the profile image.
    LoadResult reload_if_pending();
    // The profile manager chose another profile: the next Apply saves into its files.
    void select_profile(int index);
    // A profile image the program never wrote gets the language's default labels.
    Status apply_first_run_labels();
    // Whether another program changed the active profile's files since this one read or
    // saved them, and whether the window holds edits not saved yet.
    bool files_changed_elsewhere() const;
    bool has_unsaved_edits() const;
    // Whether a Reset now would lose something: unsaved edits, or, with the mouse there (a
    // Reset then saves), saved settings other than the shipped defaults.
    bool reset_would_lose() const;
    // The active profile read again after another program changed it; nothing left unsaved.
    LoadResult reload_from_files();
    // This program rewrote the active profile's saved files itself (the macros they name
    // moved or went): what they hold now is what is saved, and no other program's change.
    void saved_files_rewritten(const SettingsRecord& record,
                               const std::array<std::string, kButtonCount>& labels);
    // The next Save overwrites whatever another program wrote (the user agreed to).
    void overwrite_on_next_save() { overwrite_ = true; }

    SettingsRecord& record() { return settings_.current; }
    const SettingsState& settings() const { return settings_; }
    DeviceImage& image() { return image_; }
    ProfileState& profile() { return profile_; }
    std::array<std::string, kButtonCount>& labels() { return labels_; }
    const ProfileIni& profile_ini() const { return ini_; }
    Language language() const { return language_; }
    const DataFolder& folder() const { return folder_; }
    bool reload_pending() const { return reload_pending_; }

  private:
    void reread_profile_ini();
    UploadJob make_job();
    FilesStamp current_stamp() const;
    void restamp();
    // A loaded image's adjusted fields are told once: dropped when told for the same file.
    LoadResult tell_once(LoadResult loaded);

    DataFolder folder_;
    CommandProtocol* protocol_;
    PointerSettings* pointer_;
    bool connected_ = false;
    bool reload_pending_ = false;
    SettingsState settings_;
    DeviceImage image_;
    ProfileState profile_;
    ProfileIni ini_;
    std::array<std::string, kButtonCount> labels_;
    Language language_ = Language::kEnglish;
    PointerReport pointer_report_;
    FilesStamp stamp_;  // of the files as last read or saved
    std::vector<std::filesystem::path> stamped_;
    bool overwrite_ = false;
    std::string told_adjusted_;
};

}  // namespace p330
