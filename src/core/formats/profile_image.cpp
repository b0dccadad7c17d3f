#include "core/formats/profile_image.h"

#include <algorithm>

#include "core/util/file_io.h"

namespace p330 {

Result<ProfileImage> read_profile_image_bytes(const std::filesystem::path& path) {
    Result<std::vector<std::uint8_t>> bytes = read_file(path, kProfileImageSize);
    if (!bytes) return bytes.error();
    if (bytes->size() != kProfileImageSize) {
        return Error{ErrorCode::kInvalidData, path.string() + " is " +
                                                  std::to_string(bytes->size()) + " bytes, not " +
                                                  std::to_string(kProfileImageSize)};
    }
    ProfileImage image;
    image.first_run_flag = (*bytes)[0];
    image.record = record_from_bytes(
        std::span<const std::uint8_t, kSettingsRecordSize>(bytes->data() + 1, kSettingsRecordSize));
    return image;
}

std::string profile_image_refusal(const std::filesystem::path& path,
                                  const std::vector<RangeFault>& faults) {
    if (faults.empty()) return {};
    std::string text = path.string() + " is not a profile this program wrote: ";
    constexpr std::size_t kNamed = 6;  // a random file has dozens; the first few tell enough
    for (std::size_t i = 0; i < faults.size() && i < kNamed; ++i) {
        text += (i ? "; " : "") + faults[i].field + " is " + std::to_string(faults[i].value) +
                ", not " + faults[i].allowed;
    }
    if (faults.size() > kNamed) text += "; and " + std::to_string(faults.size() - kNamed) + " more";
    return text;
}

Result<ProfileImage> read_profile_image(const std::filesystem::path& path) {
    Result<ProfileImage> image = read_profile_image_bytes(path);
    if (!image) return image;
    image->adjusted = bring_tolerated_fields_into_range(image->record);
    const std::string refusal =
        profile_image_refusal(path, out_of_range_fields(image->record, image->first_run_flag));
    if (!refusal.empty()) return Error{ErrorCode::kInvalidData, refusal};
    return image;
}

std::string profile_image_adjustments(const std::filesystem::path& path,
                                      const std::vector<RangeFault>& adjusted) {
    if (adjusted.empty()) return {};
    std::string text = path.string() +
                       " held values this program never sets; they were brought "
                       "to the nearest it allows: ";
    for (std::size_t i = 0; i < adjusted.size(); ++i) {
        text += (i ? ", " : "") + adjusted[i].field + " " + std::to_string(adjusted[i].value) +
                " -> " + std::to_string(adjusted[i].nearest);
    }
    return text + ". Save keeps them so.";
}

std::string profile_image_bytes(const SettingsRecord& record) {
    std::string bytes(kProfileImageSize, '\0');
    bytes[0] = 1;
    const auto payload = record_bytes(record);
    std::copy(payload.begin(), payload.end(), bytes.begin() + 1);
    return bytes;
}

Status write_profile_image(const std::filesystem::path& path, const SettingsRecord& record) {
    return write_file_atomically(path, profile_image_bytes(record));
}

}  // namespace p330
