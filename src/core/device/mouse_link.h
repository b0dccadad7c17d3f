#pragma once
// An open mouse as the programs hold it: the command transport and the input collection on
// which the mouse reports its own DPI and macro switches.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/device/clock.h"
#include "core/device/transport.h"
#include "core/result.h"

namespace p330 {

class SimulatedMouse;

class MouseLink {
  public:
    virtual ~MouseLink() = default;
    virtual Transport& transport() = 0;
    // A descriptor that is readable while a report of the mouse's own waits; -1 when the
    // input collection is not open.
    virtual int input_fd() const = 0;
    // Reads one waiting report without blocking (report id first).
    virtual Result<std::size_t> read_input_report(std::span<std::uint8_t> report) = 0;
    virtual std::string description() const = 0;
    // The model behind the link, when it is the simulated mouse.
    virtual SimulatedMouse* simulated() { return nullptr; }
};

// "sim" or "sim:STATEFILE": the simulated mouse, with its memory kept in STATEFILE.
Result<std::unique_ptr<MouseLink>> open_simulated_mouse(const std::string& device_name,
                                                        Clock& clock);

}  // namespace p330
