#pragma once
// The mouse's device nodes as discovery finds them: each node with the collections of its
// report descriptor and whether this user may open it.

#include <string>
#include <vector>

#include "core/device/report_descriptor.h"
#include "core/result.h"

namespace p330 {

constexpr std::uint16_t kMouseVendor = 0x04D9;
constexpr std::uint16_t kMouseProduct = 0xC7E2;

struct HidrawNode {
    std::string devnode;  // /dev/hidrawN
    std::string syspath;
    ReportDescriptorInfo descriptor;
    std::string descriptor_error;  // why the descriptor could not be read, if it could not
    bool readable = false;         // whether this user may open it for reading
    bool writable = false;
};

// The command collection: usage page FF00, usage FF00, feature reports of exactly 9 bytes.
const HidCollection* command_collection(const HidrawNode& node);
// The input collection: usage page FF01, usage 1, with input reports.
const HidCollection* input_collection(const HidrawNode& node);

// Every hidraw node of the mouse, in enumeration order.
Result<std::vector<HidrawNode>> find_mouse_nodes();

}  // namespace p330
