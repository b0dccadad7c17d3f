#pragma once
// The parts of p330ctl that meet the devices and the desktop.

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/device/open_mouse.h"
#include "core/flows/pointer_settings.h"

namespace p330::cli {

using p330::open_mouse_link;

int list_devices(const std::string& device_name, bool json, std::FILE* out, std::FILE* err);
// Runs until interrupted (the flag is set from a signal handler, which also writes to
// wake_fd so that the loop notices at once).
int watch_mouse(const std::string& device_name, const std::string& data_dir, bool json,
                std::FILE* out, std::FILE* err, int wake_fd);
// What setting the desktop's pointer settings did, in words that name no system call.
struct DesktopPointerResult {
    std::vector<std::string> applied;  // the settings' names
    std::vector<std::string> refused;  // "the desktop refused the pointer speed"
    std::vector<std::string> lacking;  // settings this desktop does not have
    std::string lacking_note;          // the same, in the profile's language; empty when none
};
DesktopPointerResult apply_desktop_pointer(const PointerValues& values, Language language);

}  // namespace p330::cli
