#pragma once
// An xdg-activation token asked of the Wayland compositor by a start without a window: what a
// second start hands the running copy when its launcher gave it none, so that the compositor
// raises the running copy's window (or marks it as asking for attention, as its policy is).

#include <string>

namespace p330::gui {

// Empty without a Wayland display ($WAYLAND_DISPLAY) or where the compositor offers no
// xdg-activation.
std::string request_activation_token(const std::string& app_id);

}  // namespace p330::gui
