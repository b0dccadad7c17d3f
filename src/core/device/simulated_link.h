#pragma once
// The simulated mouse seen as an open mouse: its command transport and its own reports.

#include <string>

#include "core/device/mouse_link.h"
#include "core/device/simulated_mouse.h"

namespace p330 {

// What a device name "sim[:fail=N]...[:stop=N][:busy=N][:STATEFILE]" asks for: transfer N
// fails (each fail= one transfer), the mouse stops answering from transfer N on, its first N
// sequences are refused as while another program holds it, its memory in STATEFILE.
struct SimulatedDeviceName {
    SimulatedFaults faults;
    std::string state_file;  // empty: the memory lasts as long as the run
};
Result<SimulatedDeviceName> parse_simulated_device_name(const std::string& device_name);

// A link onto a simulated mouse that lives elsewhere (a test that raises its reports).
class SimulatedMouseLink : public MouseLink {
  public:
    explicit SimulatedMouseLink(SimulatedMouse& mouse, std::string description = "simulated mouse")
        : mouse_(mouse), description_(std::move(description)) {}
    Transport& transport() override { return mouse_; }
    int input_fd() const override { return mouse_.event_fd(); }
    Result<std::size_t> read_input_report(std::span<std::uint8_t> report) override {
        return mouse_.read_event(report);
    }
    std::string description() const override { return description_; }
    SimulatedMouse* simulated() override { return &mouse_; }

  private:
    SimulatedMouse& mouse_;
    std::string description_;
};

}  // namespace p330
