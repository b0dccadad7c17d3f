#pragma once
// The flows that make edits take effect or undo them, shared by the desktop program and the
// command-line tool: Apply, Reset, Cancel, profile loading and selection.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/config/pointer_settings.h"
#include "core/config/profile_files.h"
#include "core/device/protocol.h"
#include "core/lang/language.h"
#include "core/model/device_image.h"
#include "core/model/settings_record.h"

namespace p330 {

struct FlowReport {
    bool uploaded = false;
    std::optional<TransferTally> upload;
    std::vector<UserMessage> messages;  // to be shown in this order
};

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

    FlowReport apply();
    FlowReport reset();
    void cancel();
    // A tray restore while a reload is pending: the profile INI, then the profile image.
    LoadResult reload_if_pending();
    // The profile manager chose another profile: the next Apply saves into its files.
    void select_profile(int index);
    // A profile image the program never wrote gets the language's default labels.
    Status apply_first_run_labels();

    SettingsRecord& record() { return settings_.current; }
    const SettingsState& settings() const { return settings_; }
    DeviceImage& image() { return image_; }
    ProfileState& profile() { return profile_; }
    std::array<std::string, kButtonCount>& labels() { return labels_; }
    const ProfileIni& profile_ini() const { return ini_; }
    Language language() const { return language_; }
    const DataFolder& folder() const { return folder_; }
    bool reload_pending() const { return reload_pending_; }

    // Full upload, then the profile image and labels saved; no snapshot, no pointer.
    FlowReport upload_and_save();

  private:
    void reread_profile_ini();
    void apply_pointer(FlowReport& report);

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
};

// The warning a failed upload gives, with the counts of the tally, in the profile's language.
UserMessage upload_failed_message(const TransferTally& tally, Language language);

}  // namespace p330
