#include "core/device/simulated_link.h"

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

Result<std::unique_ptr<MouseLink>> open_simulated_mouse(const std::string& device_name,
                                                        Clock& clock) {
    if (device_name != "sim" && device_name.rfind("sim:", 0) != 0) {
        return Error{ErrorCode::kInvalidArgument, "not a simulated mouse: " + device_name};
    }
    const std::string state_file = device_name.size() > 4 ? device_name.substr(4) : std::string();
    auto link = std::make_unique<OwningSimulatedLink>(clock, state_file);
    if (!state_file.empty()) {
        if (Status attached = link->simulated()->attach_state_file(state_file); !attached) {
            return attached.error();
        }
    }
    return std::unique_ptr<MouseLink>(std::move(link));
}

}  // namespace p330
