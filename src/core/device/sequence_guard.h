#pragma once
// One sequence of transfers that gives up when going on cannot help: after the first "device
// gone" error, or after three time-outs in a row, every further transfer fails at once with
// that error and the pauses are skipped. A mouse that stops answering then costs three
// time-outs instead of one per transfer, and the tally still counts every transfer that did
// not reach it, those never tried apart (Error::not_sent).

#include "core/device/clock.h"
#include "core/device/transport.h"

namespace p330 {

class SequenceGuard final : public TransportWrapper, public Clock {
  public:
    static constexpr int kTimeoutsInARow = 3;

    SequenceGuard(Transport& inner, Clock& clock) : TransportWrapper(inner), clock_(clock) {}

    Status set_feature(std::span<const std::uint8_t> report) override;
    Status get_feature(std::span<std::uint8_t> report) override;
    Status write_output(std::span<const std::uint8_t> report) override;
    Result<std::size_t> read_input(std::span<std::uint8_t> report,
                                   std::chrono::milliseconds timeout) override;

    std::chrono::microseconds now() const override { return clock_.now(); }
    void pause(std::chrono::milliseconds duration) override;

  private:
    Status watch(Status status);

    Clock& clock_;
    int timeouts_in_a_row_ = 0;
    bool gave_up_ = false;
    Error reason_;
};

}  // namespace p330
