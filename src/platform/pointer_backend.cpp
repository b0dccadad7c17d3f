#include "platform/pointer_backend.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "platform/gsettings_pointer.h"
#include "platform/kde_pointer.h"
#include "platform/run_tool.h"
#include "platform/session_bus.h"
#include "platform/sway_pointer.h"
#include "platform/x11_pointer.h"
#include "platform/xfconf_pointer.h"

namespace p330 {

namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool owned(const SessionOffer& offer, const char* name) {
    return std::find(offer.bus_names.begin(), offer.bus_names.end(), name) != offer.bus_names.end();
}

bool desktop_named(const SessionOffer& offer, std::initializer_list<const char*> names) {
    std::istringstream list(offer.desktop);
    for (std::string name; std::getline(list, name, ':');) {
        for (const char* wanted : names)
            if (name == wanted) return true;
    }
    return false;
}

bool is_socket(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

}  // namespace

SessionOffer SessionOffer::of_process() {
    SessionOffer offer;
    offer.bus_names = session_bus_names();
    offer.desktop = variable("XDG_CURRENT_DESKTOP");
    const std::string sway = variable("SWAYSOCK");
    if (is_socket(sway)) offer.sway_socket = sway;
    offer.wayland = !variable("WAYLAND_DISPLAY").empty();
    offer.x11 = !variable("DISPLAY").empty();
    const std::optional<std::string> schemas = run_tool({"gsettings", "list-schemas"});
    offer.gsettings_schema =
        schemas && schemas->find("org.gnome.desktop.peripherals.mouse\n") != std::string::npos;
    return offer;
}

PointerDesktop pointer_desktop(const SessionOffer& offer) {
    // KWin on the bus: Plasma, on Wayland when KWin is the compositor there.
    if (owned(offer, "org.kde.KWin"))
        return offer.wayland ? PointerDesktop::kKdeWayland : PointerDesktop::kKdeX11;
    if (!offer.sway_socket.empty()) return PointerDesktop::kSway;
    // GNOME's shell, or a desktop of its family that reads GNOME's settings.
    if (offer.gsettings_schema &&
        (owned(offer, "org.gnome.Shell") ||
         desktop_named(offer, {"GNOME", "GNOME-Classic", "GNOME-Flashback", "Unity", "Budgie",
                               "Cinnamon", "Pantheon"})))
        return PointerDesktop::kGnome;
    // Xfce's settings daemon, or its store running in a session that calls itself Xfce.
    if (owned(offer, "org.xfce.SettingsDaemon") ||
        (owned(offer, "org.xfce.Xfconf") && desktop_named(offer, {"XFCE"})))
        return PointerDesktop::kXfce;
    if (offer.x11 && !offer.wayland) return PointerDesktop::kX11;
    return PointerDesktop::kNone;
}

PointerDesktop pointer_desktop_named(const std::string& name) {
    static const std::pair<const char*, PointerDesktop> kNames[] = {
        {"none", PointerDesktop::kNone},
        {"gnome", PointerDesktop::kGnome},
        {"kde-wayland", PointerDesktop::kKdeWayland},
        {"kde-x11", PointerDesktop::kKdeX11},
        {"sway", PointerDesktop::kSway},
        {"xfce", PointerDesktop::kXfce},
        {"x11", PointerDesktop::kX11}};
    for (const auto& [text, desktop] : kNames)
        if (name == text) return desktop;
    return PointerDesktop::kNone;
}

namespace {

std::unique_ptr<PointerSettings> backend_for_session(const std::string& forced) {
    const SessionOffer offer = SessionOffer::of_process();
    switch (forced.empty() ? pointer_desktop(offer) : pointer_desktop_named(forced)) {
        case PointerDesktop::kGnome: return std::make_unique<GSettingsPointer>();
        case PointerDesktop::kKdeWayland: return std::make_unique<KdePointer>(true);
        case PointerDesktop::kKdeX11: return std::make_unique<KdePointer>(false);
        case PointerDesktop::kSway: return std::make_unique<SwayPointer>(offer.sway_socket);
        case PointerDesktop::kXfce: return std::make_unique<XfconfPointer>();
        case PointerDesktop::kX11: return std::make_unique<X11Pointer>();
        case PointerDesktop::kNone: break;
    }
    return std::make_unique<NoPointerSettings>();
}

// Asks the session what it offers each time the settings are applied, on the caller's thread
// (the window's upload thread): asking runs programs (gdbus, gsettings), each allowed seconds,
// which must not hold up a window's start; and a desktop whose services came up after p330
// (started at login) is found.
class BackendChosenWhenApplied final : public PointerSettings {
  public:
    explicit BackendChosenWhenApplied(std::string forced) : forced_(std::move(forced)) {}
    PointerApplied apply(const PointerValues& values) override {
        return backend_for_session(forced_)->apply(values);
    }

  private:
    std::string forced_;
};

}  // namespace

std::unique_ptr<PointerSettings> desktop_pointer_settings() {
    // P330_POINTER_DESKTOP overrides the guess: for a session that hides what it is; "none"
    // leaves the desktop's pointer settings alone.
    std::string forced = variable("P330_POINTER_DESKTOP");
    if (forced == "none") return nullptr;
    return std::make_unique<BackendChosenWhenApplied>(std::move(forced));
}

PointerApplied NoPointerSettings::apply(const PointerValues&) {
    PointerApplied applied;
    applied.outcome.fill(PointerOutcome::kUnsupported);
    return applied;
}

}  // namespace p330
