#pragma once
// A small, bounded HID report descriptor parser: the top-level collections of a descriptor
// with their report lengths, as the HID class driver reports them to programs (bytes per
// report type, the report id byte included).

#include <cstdint>
#include <span>
#include <vector>

#include "core/result.h"

namespace p330 {

struct HidCollection {
    std::uint16_t usage_page = 0;
    std::uint16_t usage = 0;
    // Longest report of each type in bytes, report id byte included; 0 when there is none.
    std::uint16_t input_length = 0;
    std::uint16_t output_length = 0;
    std::uint16_t feature_length = 0;
    bool uses_report_ids = false;
};

struct ReportDescriptorInfo {
    std::vector<HidCollection> collections;
    bool uses_report_ids = false;  // any report id in the whole descriptor
};

// Descriptors are at most 4096 bytes (the kernel's limit); anything malformed is an error.
Result<ReportDescriptorInfo> parse_report_descriptor(std::span<const std::uint8_t> bytes);

}  // namespace p330
