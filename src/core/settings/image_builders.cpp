#include "core/settings/image_builders.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/buttons/button_code.h"
#include "core/settings/settings_catalogue.h"

namespace p330 {

namespace {

constexpr std::array<std::uint8_t, 11> kAngleSnapCodes = {0x00, 0x00, 0x82, 0x84, 0x85, 0x86,
                                                          0x87, 0x89, 0x8B, 0x8D, 0x8F};

// Bytes outside every setting that each block the mouse receives holds, whatever the template
// that was shipped has there.
constexpr std::pair<std::size_t, std::uint8_t> kFixedBytes[] = {
    {0x02, 0x01}, {0x32, 0x42}, {0x40, 0x0F}, {0x46, 0x04}, {0x64, 0x0F}};

// Each setting the mouse holds has bytes of its own before the block's tail, apart from the
// fixed bytes.
constexpr bool settings_keep_apart() {
    std::array<bool, kBlockSize> taken{};
    for (const auto& [offset, value] : kFixedBytes) taken[offset] = true;
    auto take = [&taken](int from, int size) {
        for (int at = from; at < from + size; ++at) {
            if (at < 0 || at >= param::kTail || taken[static_cast<std::size_t>(at)]) return false;
            taken[static_cast<std::size_t>(at)] = true;
        }
        return true;
    };
    for (int n = 0; n < kSettingCount; ++n) {
        const BlockBytes at = block_bytes(static_cast<SettingId>(n));
        if (!take(at.offset, at.size) || (at.mirror != 0 && !take(at.mirror, at.size)))
            return false;
    }
    return true;
}
static_assert(settings_keep_apart(), "two settings, or a setting and a fixed byte, share a byte");

}  // namespace

std::uint8_t angle_snap_code(std::uint8_t level) {
    // Levels above 10 never come from the panels; a damaged file sends "no snap".
    return level < kAngleSnapCodes.size() ? kAngleSnapCodes[level] : 0x00;
}

Block build_parameter_block(const SettingsRecord& r) {
    Block block = kParameterBlockTemplate;
    for (const auto& [offset, value] : kFixedBytes) block[offset] = value;
    for (const SettingEntry& entry : settings_catalogue()) {
        const BlockBytes at = block_bytes(entry.id);
        if (!entry.encode || at.size == 0) continue;  // the catalogue test pairs the two
        const std::span own(block.data() + at.offset, static_cast<std::size_t>(at.size));
        entry.encode(r, own);
        if (at.mirror != 0) std::copy(own.begin(), own.end(), block.begin() + at.mirror);
    }
    std::fill(block.begin() + param::kTail, block.end(), 0x00);
    return block;
}

Block build_button_table(const SettingsRecord& record) {
    Block table{};
    for (int button = 0; button < kButtonCount; ++button) {
        const ButtonCode code = encode_button_code(record, button);
        std::copy(code.begin(), code.end(),
                  table.begin() + std::ptrdiff_t{4} * kButtonSlot[button]);
    }
    return table;
}

void copy_macros(const SettingsRecord& record, DeviceImage& image) {
    for (int n = 0; n < kMacroCount; ++n) {
        std::memcpy(image.macro_block[n].data(), record.macro_block[n], kBlockSize);
    }
}

}  // namespace p330
