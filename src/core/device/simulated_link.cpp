#include "core/device/simulated_link.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/util/parse_int.h"

namespace p330 {
namespace {

struct MouseHolder {
    explicit MouseHolder(Clock& clock) : held(clock) {}
    SimulatedMouse held;
};

// The link of `--device sim`: it owns its mouse.
class OwningSimulatedLink final : private MouseHolder, public SimulatedMouseLink {
  public:
    OwningSimulatedLink(Clock& clock, const std::string& state_file)
        : MouseHolder(clock),
          SimulatedMouseLink(held, state_file.empty()
                                       ? "simulated mouse"
                                       : "simulated mouse (state in " + state_file + ")") {}
};

}  // namespace

Result<SimulatedDeviceName> parse_simulated_device_name(const std::string& device_name) {
    if (device_name != "sim" && device_name.rfind("sim:", 0) != 0) {
        return Error{ErrorCode::kInvalidArgument, "not a simulated mouse: " + device_name};
    }
    SimulatedDeviceName parsed;
    std::string rest = device_name.size() > 4 ? device_name.substr(4) : std::string();
    // Faults come first, each ending at a ':'; whatever follows them is the state file.
    for (;;) {
        const std::string part = rest.substr(0, rest.find(':'));
        const bool fail = part.rfind("fail=", 0) == 0;
        const bool busy = part.rfind("busy=", 0) == 0;
        if (!fail && !busy && part.rfind("stop=", 0) != 0) break;
        const std::optional<long long> number = parse_decimal(std::string_view(part).substr(5));
        if (!number || *number < 1 || *number > 1'000'000) {
            return Error{ErrorCode::kInvalidArgument, "the simulated mouse's " + part.substr(0, 5) +
                                                          " takes a " +
                                                          (busy ? "count" : "transfer number") +
                                                          " from 1 (sim:fail=N:STATEFILE)"};
        }
        if (fail)
            parsed.faults.failed_transfers.push_back(static_cast<int>(*number));
        else if (busy)
            parsed.faults.busy_sequences = static_cast<int>(*number);
        else
            parsed.faults.silent_from = static_cast<int>(*number);
        rest.erase(0, std::min(rest.size(), part.size() + 1));
    }
    parsed.state_file = rest;
    return parsed;
}

Result<std::unique_ptr<MouseLink>> open_simulated_mouse(const std::string& device_name,
                                                        Clock& clock) {
    Result<SimulatedDeviceName> parsed = parse_simulated_device_name(device_name);
    if (!parsed) return parsed.error();
    const std::string& state_file = parsed->state_file;
    auto link = std::make_unique<OwningSimulatedLink>(clock, state_file);
    link->simulated()->set_faults(parsed->faults);
    if (!state_file.empty()) {
        if (Status attached = link->simulated()->attach_state_file(state_file); !attached) {
            return attached.error();
        }
    }
    return std::unique_ptr<MouseLink>(std::move(link));
}

}  // namespace p330
