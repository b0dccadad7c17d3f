#pragma once
// Pointer settings on GNOME-style desktops, through the gsettings tool (never a shell).
// Every value written is read back: gsettings says yes even when nothing was stored (no
// session bus, dconf refused), and only a value that reads back took effect. A key the
// desktop does not have (the wheel's scroll lines never; all of them without the schema or
// the tool) is a setting this desktop lacks, not a refusal.

#include <string>

#include "core/flows/pointer_settings.h"

namespace p330 {

class GSettingsPointer final : public PointerSettings {
  public:
    PointerApplied apply(const PointerValues& values) override;
};

// GNOME's speed runs from -1 to 1; Windows-style speed 1..20 maps onto it, 10 being 0.
double gnome_pointer_speed(int speed);
// The speed as gsettings reads it, whatever the locale: "0.50", never "0,50".
std::string gnome_speed_text(int speed);

}  // namespace p330
