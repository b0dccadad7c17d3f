#pragma once
// Opening the mouse a device name names, for both programs.

#include <memory>
#include <string>

#include "core/device/clock.h"
#include "core/device/mouse_link.h"

namespace p330 {

// auto: discovery; /dev/hidrawN: that node as the command node; sim[:STATEFILE]: the model.
Result<std::unique_ptr<MouseLink>> open_mouse_link(const std::string& device_name, Clock& clock);

}  // namespace p330
