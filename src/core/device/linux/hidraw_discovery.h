#pragma once
// Finding the mouse's hidraw nodes through libudev: every hidraw node whose HID parent is
// bus 0003 (USB), vendor 04D9, product C7E2, with the collections of its report descriptor.

#include <optional>
#include <string>
#include <string_view>
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

// "0003:000004D9:0000C7E2", hex fields, any case.
bool is_mouse_hid_id(std::string_view hid_id);

// The command collection: usage page FF00, usage FF00, feature reports of exactly 9 bytes.
const HidCollection* command_collection(const HidrawNode& node);
// The input collection: usage page FF01, usage 1, with input reports.
const HidCollection* input_collection(const HidrawNode& node);

// Every hidraw node of the mouse, in enumeration order.
Result<std::vector<HidrawNode>> find_mouse_nodes();
// The node's HID parent, its descriptor and access, if the node belongs to the mouse.
std::optional<HidrawNode> describe_hidraw_node(const std::string& devnode_or_syspath);

}  // namespace p330
