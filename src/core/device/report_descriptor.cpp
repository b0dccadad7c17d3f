#include "core/device/report_descriptor.h"

#include <algorithm>
#include <map>
#include <utility>

namespace p330 {
namespace {

constexpr std::size_t kMaxDescriptorSize = 4096;
constexpr int kMaxCollectionDepth = 32;
constexpr int kMaxGlobalStack = 16;

struct Globals {
    std::uint32_t usage_page = 0;
    std::uint32_t report_size = 0;
    std::uint32_t report_count = 0;
    std::uint32_t report_id = 0;
};

Error malformed(const char* why) {
    return Error{ErrorCode::kInvalidData, std::string("malformed report descriptor: ") + why};
}

}  // namespace

Result<ReportDescriptorInfo> parse_report_descriptor(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxDescriptorSize) return malformed("longer than 4096 bytes");

    ReportDescriptorInfo info;
    Globals globals;
    std::vector<Globals> global_stack;
    std::uint32_t first_usage = 0;
    bool have_usage = false;
    bool usage_extended = false;  // a 4-byte usage carries its own page
    int depth = 0;
    // Bits per (report type, report id) of the current top-level collection.
    std::map<std::pair<int, std::uint32_t>, std::uint64_t> bits;

    auto close_collection = [&]() {
        HidCollection& c = info.collections.back();
        for (const auto& [key, total] : bits) {
            const auto length =
                static_cast<std::uint16_t>(std::min<std::uint64_t>((total + 7) / 8 + 1, 0xFFFF));
            std::uint16_t* field = key.first == 0   ? &c.input_length
                                   : key.first == 1 ? &c.output_length
                                                    : &c.feature_length;
            *field = std::max(*field, length);
            if (key.second != 0) c.uses_report_ids = true;
        }
        bits.clear();
    };

    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t prefix = bytes[i++];
        if (prefix == 0xFE) {  // long item: skip its data
            if (i + 2 > bytes.size()) return malformed("truncated long item");
            const std::size_t size = bytes[i];
            i += 2 + size;
            if (i > bytes.size()) return malformed("truncated long item");
            continue;
        }
        static constexpr std::size_t kSizes[4] = {0, 1, 2, 4};
        const std::size_t size = kSizes[prefix & 0x03];
        if (i + size > bytes.size()) return malformed("truncated item");
        std::uint32_t value = 0;
        for (std::size_t k = 0; k < size; ++k)
            value |= static_cast<std::uint32_t>(bytes[i + k]) << (8 * k);
        i += size;
        const int type = (prefix >> 2) & 0x03;
        const int tag = prefix >> 4;

        if (type == 0) {  // main
            switch (tag) {
                case 0x8:    // input
                case 0x9:    // output
                case 0xB: {  // feature
                    if (depth == 0) return malformed("report outside a collection");
                    const int report_type = tag == 0x8 ? 0 : tag == 0x9 ? 1 : 2;
                    bits[{report_type, globals.report_id}] +=
                        static_cast<std::uint64_t>(globals.report_size) * globals.report_count;
                    break;
                }
                case 0xA:  // collection
                    if (depth == 0) {
                        HidCollection c;
                        c.usage_page = static_cast<std::uint16_t>(
                            usage_extended ? first_usage >> 16 : globals.usage_page);
                        c.usage = static_cast<std::uint16_t>(first_usage & 0xFFFF);
                        info.collections.push_back(c);
                    }
                    if (++depth > kMaxCollectionDepth)
                        return malformed("collections nested too deep");
                    break;
                case 0xC:  // end collection
                    if (depth == 0) return malformed("end of a collection that was never opened");
                    if (--depth == 0) close_collection();
                    break;
                default: break;
            }
            first_usage = 0;  // local items last until the next main item
            have_usage = false;
            usage_extended = false;
        } else if (type == 1) {  // global
            switch (tag) {
                case 0x0: globals.usage_page = value; break;
                case 0x7: globals.report_size = value; break;
                case 0x8:
                    if (value == 0 || value > 0xFF) return malformed("report id out of range");
                    globals.report_id = value;
                    info.uses_report_ids = true;
                    break;
                case 0x9: globals.report_count = value; break;
                case 0xA:
                    if (global_stack.size() >= kMaxGlobalStack)
                        return malformed("push stack overflow");
                    global_stack.push_back(globals);
                    break;
                case 0xB:
                    if (global_stack.empty()) return malformed("pop without push");
                    globals = global_stack.back();
                    global_stack.pop_back();
                    break;
                default: break;
            }
        } else if (type == 2 && tag == 0x0 && !have_usage) {  // the first usage names a collection
            first_usage = value;
            usage_extended = size == 4;
            have_usage = true;
        }
    }
    if (depth != 0) return malformed("collection never closed");
    return info;
}

}  // namespace p330
