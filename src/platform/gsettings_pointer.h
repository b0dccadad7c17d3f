#pragma once
// Pointer settings on GNOME-style desktops, through the gsettings tool (never a shell).
// The wheel's scroll lines have no GNOME setting, so that one is always reported as refused.

#include "core/config/pointer_settings.h"

namespace p330 {

class GSettingsPointer final : public PointerSettings {
  public:
    PointerApplied apply(const PointerValues& values) override;
};

// GNOME's speed runs from -1 to 1; Windows-style speed 1..20 maps onto it, 10 being 0.
double gnome_pointer_speed(int speed);

}  // namespace p330
