#pragma once
// The profile image file: one first-run flag byte (0: never written by the program, 1:
// written) and the 1756-byte settings record. Every reader goes through read_profile_image,
// which refuses a file the program could not have written, naming the file and the fields.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/model/settings_record.h"
#include "core/result.h"
#include "core/settings/record_ranges.h"

namespace p330 {

constexpr std::size_t kProfileImageSize = 1 + kSettingsRecordSize;  // first-run flag + record

struct ProfileImage {
    std::uint8_t first_run_flag = 0;
    SettingsRecord record{};
    std::vector<RangeFault> adjusted{};  // tolerated fields brought into range (record_ranges.h)
};

// The file as it stands: exactly 1757 bytes, nothing else checked (for showing a damaged
// file field by field).
Result<ProfileImage> read_profile_image_bytes(const std::filesystem::path& path);
// The file checked: its size, the flag, every field within its range, every button a
// function the program knows, and at least one button on Click. A refusal names the file and
// every field at fault. Tolerated fields out of range are brought into it first, and listed.
Result<ProfileImage> read_profile_image(const std::filesystem::path& path);
// Why an image would be refused; empty when it is sound.
std::string profile_image_refusal(const std::filesystem::path& path,
                                  const std::vector<RangeFault>& faults);

// What the user is told of a loaded image's adjusted fields; empty when there were none.
std::string profile_image_adjustments(const std::filesystem::path& path,
                                      const std::vector<RangeFault>& adjusted);

// The file's bytes: flag 1 and the record.
std::string profile_image_bytes(const SettingsRecord& record);
// Writes flag 1 and the record, atomically.
Status write_profile_image(const std::filesystem::path& path, const SettingsRecord& record);

}  // namespace p330
