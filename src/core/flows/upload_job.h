#pragma once
// One Apply or Reset upload as work that can run on another thread: the full upload of a
// copy of the record, the profile image and labels saved, then the desktop's pointer
// settings. The job holds copies of everything it changes; the link and the pointer backend
// are shared, and nothing else may use the link until the job has run.

#include <array>
#include <optional>
#include <string>

#include "core/device/protocol.h"
#include "core/flows/pointer_settings.h"
#include "core/flows/profile_files.h"
#include "core/lang/language.h"
#include "core/model/device_image.h"
#include "core/model/settings_record.h"

namespace p330 {

struct FlowReport {
    bool uploaded = false;
    std::optional<TransferTally> upload;
    std::vector<UserMessage> messages;  // to be shown in this order
    bool changed_elsewhere = false;     // the save found another program's change: not saved
};

struct UploadJob {
    // What the job reads and changes: copies taken when it was made.
    SettingsRecord record{};
    std::array<std::string, kButtonCount> labels;
    DeviceImage image;
    DataFolder folder;
    ProfileState profile;
    Language language = Language::kEnglish;
    // The files as the window last read or saved them; unset: overwrite whatever is there.
    std::optional<FilesStamp> expected;
    // Shared: the open mouse, and the desktop's pointer settings (null: left alone).
    CommandProtocol* protocol = nullptr;
    PointerSettings* pointer = nullptr;

    // Filled in by run().
    FlowReport report;
    std::optional<PointerApplied> pointer_applied;

    void run();
};

// The warning a failed upload gives, with the counts of the tally, in the profile's language.
UserMessage upload_failed_message(const TransferTally& tally, Language language);

}  // namespace p330
