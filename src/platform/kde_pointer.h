#pragma once
// Pointer settings on KDE Plasma 5 and 6, as Plasma's own settings module stores them so
// they take effect at once and again at the next login.
// - Wayland: this mouse's speed and acceleration profile on KWin's own input-device objects
//   on the session bus; KWin applies them and keeps them per device in kcminputrc.
// - X11: Plasma keeps speed and profile once for every mouse (kcminputrc, group Mouse) and
//   applies them at login; this mouse's X device gets them at once.
// - Both: the double-click interval and the wheel's lines in kdeglobals (group KDE), then
//   Plasma's change notification so running programs take them.
// Written and read back with kwriteconfig/kreadconfig (6, else 5).

#include "core/flows/pointer_settings.h"

namespace p330 {

class KdePointer final : public PointerSettings {
  public:
    explicit KdePointer(bool wayland) : wayland_(wayland) {}
    PointerApplied apply(const PointerValues& values) override;

  private:
    bool wayland_;
};

}  // namespace p330
