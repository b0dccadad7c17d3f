#pragma once
// The name a physical key has on a US English layout, as the key tables spell it, so that
// capturing a key gives the same name whatever layout the user types on.

#include <string>

namespace p330 {

// evdev key code (what Qt reports as the native scan code on X11 and Wayland, minus 8).
// Keys the tables do not know get a descriptive name, which maps to usage 0.
std::string key_name_from_evdev(int code);

}  // namespace p330
