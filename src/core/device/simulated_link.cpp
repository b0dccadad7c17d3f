#include "core/device/mouse_link.h"
#include "core/device/simulated_mouse.h"

namespace p330 {
namespace {

class SimulatedLink final : public MouseLink {
  public:
    explicit SimulatedLink(Clock& clock) : mouse_(clock) {}
    Transport& transport() override { return mouse_; }
    int input_fd() const override { return mouse_.event_fd(); }
    Result<std::size_t> read_input_report(std::span<std::uint8_t> report) override {
        return mouse_.read_event(report);
    }
    std::string description() const override {
        return state_file_.empty() ? "simulated mouse"
                                   : "simulated mouse (state in " + state_file_ + ")";
    }
    SimulatedMouse* simulated() override { return &mouse_; }

    SimulatedMouse mouse_;
    std::string state_file_;
};

}  // namespace

Result<std::unique_ptr<MouseLink>> open_simulated_mouse(const std::string& spec, Clock& clock) {
    if (spec != "sim" && spec.rfind("sim:", 0) != 0) {
        return Error{ErrorCode::kInvalidArgument, "not a simulated mouse: " + spec};
    }
    auto link = std::make_unique<SimulatedLink>(clock);
    if (spec.size() > 4) {
        link->state_file_ = spec.substr(4);
        if (Status attached = link->mouse_.attach_state_file(link->state_file_); !attached) {
            return attached.error();
        }
    }
    return std::unique_ptr<MouseLink>(std::move(link));
}

}  // namespace p330
