#pragma once
// Pointer settings through the X server: the libinput properties of this mouse's own pointer
// device (found by its "Device Product ID"), through the xinput tool. X has no double-click
// time or wheel lines of its own: those are settings this desktop does not have. The
// properties last until the X server ends.

#include <map>
#include <string>
#include <vector>

#include "core/flows/pointer_settings.h"

namespace p330 {

struct XPointerDevice {
    std::string id;
    std::string name;
    std::map<std::string, std::string> properties;  // "libinput Accel Speed" -> "0.000000"
};

// This mouse's pointer devices that libinput drives, as the X server lists them now.
std::vector<XPointerDevice> x_mouse_devices();

// Sets speed and profile on the devices; each outcome read back from the X server.
void set_x_device_pointer(const std::vector<XPointerDevice>& devices, const PointerValues& values,
                          PointerApplied& applied);

class X11Pointer final : public PointerSettings {
  public:
    PointerApplied apply(const PointerValues& values) override;
};

}  // namespace p330
