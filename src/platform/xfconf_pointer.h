#pragma once
// Pointer settings on Xfce, in its settings store (xfconf, through xfconf-query), which
// Xfce's settings daemon applies at once and again at every login: this mouse's own
// libinput properties in the channel "pointers" under its device name, the double-click
// time in "xsettings" (one for every pointer). Xfce has no wheel-lines setting.

#include <string>

#include "core/flows/pointer_settings.h"

namespace p330 {

// The device's name as Xfce keys it in the channel: spaces become '_', other characters
// that cannot stand in a property name are dropped.
std::string xfconf_device_name(const std::string& x_name);

class XfconfPointer final : public PointerSettings {
  public:
    PointerApplied apply(const PointerValues& values) override;
};

}  // namespace p330
