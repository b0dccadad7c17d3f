#pragma once
// Profiles on disk: the data folder, the main INI's profile list, the 1757-byte profile
// images and their INIs, and import and export.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/formats/data_folder.h"
#include "core/formats/label_ini.h"
#include "core/formats/profile_image.h"
#include "core/formats/profile_list.h"
#include "core/lang/language.h"
#include "core/model/settings_record.h"
#include "core/result.h"

namespace p330 {

// A message the user must see, as the program words it. An empty caption means the
// application's title.
struct UserMessage {
    std::string text;
    std::string caption;
};

// The message on one line for a terminal: "CAPTION: TEXT", blanks and line ends trimmed.
std::string message_line(const UserMessage& message);

inline const char kConfigMissingText[] = "Config file is not exist.";
inline const char kWriteFailedCaption[] = "NULL ==fp ";
// "Error Code is: %d \n", then in words what failed.
UserMessage write_failed_message(const Error& error);

struct ProfileState {
    std::uint8_t index = 0;
    bool load_defaults = false;
    std::uint8_t first_run_flag = 0;
    std::filesystem::path active_image;
    std::filesystem::path active_ini;

    void point_at_index(const DataFolder& folder);
};

struct LoadResult {
    bool image_loaded = false;
    bool image_refused = false;  // the image is there but not one the program wrote
    std::optional<UserMessage> message;
    std::string detail;    // why nothing was loaded, for logs and the command-line tool
    std::string adjusted;  // the image's tolerated fields brought into range, in words
};

// Picks the active files from the main INI's list (or the defaults while load_defaults is
// set) and reads the profile image into record when it is sound. A missing or refused image
// leaves the record as it was, with a message that says why.
LoadResult choose_and_load_active_profile(const DataFolder& folder, ProfileState& state,
                                          SettingsRecord& record);

// The files as they stand (identity, size, modification time): a later stamp that differs
// means someone changed them.
struct FilesStamp {
    std::vector<std::array<long long, 4>> files;
    bool operator==(const FilesStamp&) const = default;
};
FilesStamp stamp_files(const std::vector<std::filesystem::path>& paths);
// The files a save of the active profile writes or depends on, for stamping.
std::vector<std::filesystem::path> saved_profile_files(const DataFolder& folder,
                                                       const ProfileState& state);

struct SaveResult {
    bool image_written = false;
    bool changed_elsewhere = false;  // the files were not as expected: nothing written
    std::optional<UserMessage> message;
};

// Saves the record into the image of the current profile index, which must exist, and the
// labels into its INI: one change, made under the data folder's lock. With expected, only
// when the files still are as stamped then (checked under the lock).
SaveResult save_active_profile(const DataFolder& folder, ProfileState& state,
                               const SettingsRecord& record, Language language,
                               const std::array<std::string, kButtonCount>& labels,
                               const std::optional<FilesStamp>& expected = std::nullopt);

// Whether a chosen file names a profile image: its name holds ".bin".
bool names_a_profile_image(const std::filesystem::path& path);

struct ImportResult {
    bool image_read = false;
    bool ini_read = false;  // a companion INI was there and could be read
    ProfileIni ini;
    std::optional<UserMessage> message;
    std::string adjusted;  // the image's tolerated fields brought into range, in words
};
ImportResult import_profile(const std::filesystem::path& chosen, const DataFolder& folder,
                            ProfileState& state, SettingsRecord& record, Language language);

struct ExportResult {
    std::vector<std::filesystem::path> written;
    std::vector<UserMessage> messages;
    std::optional<Error> refused;  // a target failed its checks: nothing was written
};
ExportResult export_profile(const std::filesystem::path& chosen, const DataFolder& folder,
                            ProfileState& state, const SettingsRecord& record, Language language,
                            const std::array<std::string, kButtonCount>& labels);

}  // namespace p330
