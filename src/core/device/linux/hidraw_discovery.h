#pragma once
// Finding the mouse's hidraw nodes through libudev: every hidraw node whose HID parent is
// bus 0003 (USB), vendor 04D9, product C7E2, with the collections of its report descriptor.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/device/mouse_nodes.h"
#include "core/device/report_descriptor.h"
#include "core/result.h"

namespace p330 {

// "0003:000004D9:0000C7E2", hex fields, any case.
bool is_mouse_hid_id(std::string_view hid_id);

// The node's HID parent, its descriptor and access, if the node belongs to the mouse.
std::optional<HidrawNode> describe_hidraw_node(const std::string& devnode_or_syspath);

}  // namespace p330
