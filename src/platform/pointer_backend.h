#pragma once
// Which desktop sets the pointer here, decided from what the session offers: the names on
// the session bus, the compositor's socket, the X server. The desktop's name in
// XDG_CURRENT_DESKTOP alone decides nothing (it is inherited, copied into containers, or
// unset). Both the window and p330ctl ask this one function.

#include <memory>
#include <string>
#include <vector>

#include "core/flows/pointer_settings.h"

namespace p330 {

enum class PointerDesktop { kNone, kGnome, kKdeWayland, kKdeX11, kSway, kXfce, kX11 };

// What a session offers, gathered once.
struct SessionOffer {
    std::vector<std::string> bus_names;  // names owned on the session bus now
    std::string desktop;                 // XDG_CURRENT_DESKTOP, a ':'-separated list
    std::string sway_socket;             // $SWAYSOCK when a compositor answers there
    bool wayland = false;                // WAYLAND_DISPLAY is set
    bool x11 = false;                    // DISPLAY is set
    bool gsettings_schema = false;       // GNOME's mouse schema is installed

    static SessionOffer of_process();
};

PointerDesktop pointer_desktop(const SessionOffer& offer);
// The desktop P330_POINTER_DESKTOP names: gnome, kde-wayland, kde-x11, sway, xfce, x11
// (anything else: none fits).
PointerDesktop pointer_desktop_named(const std::string& name);

// The backend for this session (or the one P330_POINTER_DESKTOP names), chosen each time the
// settings are applied, not here: choosing runs programs; where no desktop fits, every
// setting is named as missing. Null only when P330_POINTER_DESKTOP=none asks to leave the
// desktop's pointer settings alone: the window then says nothing of them.
std::unique_ptr<PointerSettings> desktop_pointer_settings();

// Where nothing can be set: every setting is one this desktop does not have.
class NoPointerSettings final : public PointerSettings {
  public:
    PointerApplied apply(const PointerValues&) override;
};

}  // namespace p330
