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

Result<std::unique_ptr<MouseLink>> open_simulated_mouse(const std::string& spec, Clock& clock) {
    if (spec != "sim" && spec.rfind("sim:", 0) != 0) {
        return Error{ErrorCode::kInvalidArgument, "not a simulated mouse: " + spec};
    }
    const std::string state_file = spec.size() > 4 ? spec.substr(4) : std::string();
    auto link = std::make_unique<OwningSimulatedLink>(clock, state_file);
    if (!state_file.empty()) {
        if (Status attached = link->simulated()->attach_state_file(state_file); !attached) {
            return attached.error();
        }
    }
    return std::unique_ptr<MouseLink>(std::move(link));
}

}  // namespace p330
