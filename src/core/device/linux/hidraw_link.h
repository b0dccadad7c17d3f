#pragma once
// The mouse over Linux hidraw: the command node opened read-write for feature reports,
// output reports and block reads, the input node opened read-only for the mouse's own
// reports. Errors become values; a vanished device fails at once.

#include <memory>
#include <string>
#include <vector>

#include "core/device/linux/hidraw_discovery.h"
#include "core/device/mouse_link.h"
#include "core/device/open_mouse.h"

namespace p330 {

// Finds and opens the mouse. Both collections are opened whatever order they come in; the
// input collection is optional (without it there are no DPI notifications).
Result<std::unique_ptr<MouseLink>> open_hidraw_mouse(const std::vector<HidrawNode>& nodes);

}  // namespace p330
