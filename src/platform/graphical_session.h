#pragma once
// Whether a window can be shown at all. Qt's platform plugin ends the program with an abort
// when the session it is told (or guesses) to use is not there, so this is asked first.

#include <string_view>

namespace p330 {

struct DisplayEnvironment {
    std::string_view qpa_platform;  // QT_QPA_PLATFORM: "xcb", "wayland;xcb", "offscreen", ...
    std::string_view display;       // DISPLAY
    std::string_view wayland_display;

    static DisplayEnvironment from_process();
};

// True when one of the platforms Qt would try has what it needs; platforms that need no
// session (offscreen, a frame buffer) always do.
bool graphical_session_available(const DisplayEnvironment& env);

}  // namespace p330
