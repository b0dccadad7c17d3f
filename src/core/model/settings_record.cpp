#include "core/model/settings_record.h"

#include <cstring>

namespace p330 {

std::span<const std::uint8_t, kSettingsRecordSize> record_bytes(const SettingsRecord& record) {
    return std::span<const std::uint8_t, kSettingsRecordSize>(
        reinterpret_cast<const std::uint8_t*>(&record), kSettingsRecordSize);
}

std::span<std::uint8_t, kSettingsRecordSize> record_bytes(SettingsRecord& record) {
    return std::span<std::uint8_t, kSettingsRecordSize>(reinterpret_cast<std::uint8_t*>(&record),
                                                        kSettingsRecordSize);
}

SettingsRecord record_from_bytes(std::span<const std::uint8_t, kSettingsRecordSize> bytes) {
    SettingsRecord record{};
    std::memcpy(&record, bytes.data(), kSettingsRecordSize);
    return record;
}

}  // namespace p330
