#pragma once
// The desktop's pointer settings that a profile carries, as the four values the desktop is
// asked to set, and the interface desktop backends implement.

#include <array>
#include <cstdint>
#include <vector>

#include "core/flows/profile_files.h"
#include "core/lang/language.h"
#include "core/model/settings_record.h"

namespace p330 {

constexpr std::uint32_t kScrollOnePage = 0xFFFFFFFF;

struct PointerValues {
    std::array<int, 3> mouse;    // acceleration thresholds and level: 6,10,1 or 0,0,0
    int speed;                   // 1..20
    std::uint32_t scroll_lines;  // kScrollOnePage scrolls a screen at a time
    int double_click_ms;
};

PointerValues pointer_values(const SettingsRecord& record);

// The four settings, in the order they are set.
enum class PointerSetting { kMouse, kSpeed, kScrollLines, kDoubleClick };
constexpr std::size_t kPointerSettingCount = 4;

enum class PointerOutcome : std::uint8_t {
    kApplied,
    kRefused,      // the desktop has the setting but did not take the value
    kUnsupported,  // the desktop has no such setting
    kNoDevice,     // a setting of each mouse, and the desktop does not list this one
};

// A desktop's write that took the value, or did not.
constexpr PointerOutcome applied_or_refused(bool ok) {
    return ok ? PointerOutcome::kApplied : PointerOutcome::kRefused;
}

// How a setting kept per mouse went: whether the desktop listed this mouse, and took it.
constexpr PointerOutcome device_outcome(bool listed, bool taken) {
    return listed ? applied_or_refused(taken) : PointerOutcome::kNoDevice;
}

struct PointerApplied {
    std::array<PointerOutcome, kPointerSettingCount> outcome{};  // all applied

    PointerOutcome& operator[](PointerSetting s) { return outcome[static_cast<std::size_t>(s)]; }
    PointerOutcome operator[](PointerSetting s) const {
        return outcome[static_cast<std::size_t>(s)];
    }
};

class PointerSettings {
  public:
    virtual ~PointerSettings() = default;
    // Sets all four, in order, whatever fails; says how each went. May take a while (it
    // may start other programs), so the caller runs it off the user-interface thread.
    virtual PointerApplied apply(const PointerValues& values) = 0;
};

// What the user is told after the pointer settings were set: a "Warning" for every refused
// setting, every time, in order; then, once per run, one note naming the settings this
// desktop does not have, in the profile's language.
class PointerReport {
  public:
    std::vector<UserMessage> messages(const PointerApplied& applied, Language language);

  private:
    std::array<bool, kPointerSettingCount> told_{};
};

}  // namespace p330
