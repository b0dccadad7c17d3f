#pragma once
// Pointer settings on Sway and other compositors that speak its IPC (the socket in
// $SWAYSOCK): this mouse's input devices, found by their USB ids among the compositor's
// inputs, get pointer_accel, accel_profile and scroll_factor; each is read back from the
// compositor. The double-click time is the applications' own business there: not a setting
// of this desktop. A runtime setting: it lasts until the compositor ends (its config file
// is the user's).

#include <optional>
#include <string>
#include <vector>

#include "core/flows/pointer_settings.h"
#include "core/util/json_reader.h"

namespace p330 {

// One request on the compositor's socket: its JSON answer, or nothing when the socket does
// not answer in time. Types: 0 runs commands, 100 lists the inputs.
std::optional<JsonValue> sway_request(const std::string& socket, std::uint32_t type,
                                      const std::string& payload);

// The commands that set these values on the input with this identifier.
std::vector<std::string> sway_input_commands(const std::string& identifier,
                                             const PointerValues& values);

class SwayPointer final : public PointerSettings {
  public:
    explicit SwayPointer(std::string socket) : socket_(std::move(socket)) {}
    PointerApplied apply(const PointerValues& values) override;

  private:
    std::string socket_;
};

}  // namespace p330
