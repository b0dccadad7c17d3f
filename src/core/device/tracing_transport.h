#pragma once
// Passes every transfer on and writes one line per transfer that reached the wire:
// milliseconds since the trace began, the transfer type and the bytes in hexadecimal,
// report id first.

#include <cstdio>

#include "core/device/clock.h"
#include "core/device/transport.h"

namespace p330 {

class TracingTransport final : public TransportWrapper {
  public:
    TracingTransport(Transport& inner, Clock& clock, std::FILE* out)
        : TransportWrapper(inner), clock_(clock), out_(out), start_(clock.now()) {}

    Status set_feature(std::span<const std::uint8_t> report) override;
    Status get_feature(std::span<std::uint8_t> report) override;
    Status write_output(std::span<const std::uint8_t> report) override;
    Result<std::size_t> read_input(std::span<std::uint8_t> report,
                                   std::chrono::milliseconds timeout) override;

  private:
    void trace(const char* type, std::span<const std::uint8_t> bytes, const Status& status);

    Clock& clock_;
    std::FILE* out_;
    std::chrono::microseconds start_;
};

}  // namespace p330
