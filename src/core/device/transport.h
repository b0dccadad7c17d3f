#pragma once
// The four HID transfers the protocol needs, whatever carries them: hidraw, or the
// simulated mouse. Every buffer starts with the report id, as on the wire.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/result.h"

namespace p330 {

constexpr std::size_t kFeatureReportLength = 9;  // id + 8 command bytes
constexpr std::size_t kOutputReportLength = 65;  // id + 64 data bytes
constexpr std::size_t kBlockChunk = 64;
constexpr std::chrono::milliseconds kReadTimeout{1000};

class Transport {
  public:
    virtual ~Transport() = default;

    virtual Status set_feature(std::span<const std::uint8_t> report) = 0;
    // report[0] holds the id to ask for; the answer replaces the whole buffer.
    virtual Status get_feature(std::span<std::uint8_t> report) = 0;
    virtual Status write_output(std::span<const std::uint8_t> report) = 0;
    // Fills report (id first) and returns the number of bytes; fails after the time-out.
    virtual Result<std::size_t> read_input(std::span<std::uint8_t> report,
                                           std::chrono::milliseconds timeout) = 0;

    virtual std::size_t feature_report_length() const { return kFeatureReportLength; }
    virtual std::size_t input_report_length() const { return kOutputReportLength; }
};

// A transport in front of another (tracing, guarding): the report lengths are the inner one's.
class TransportWrapper : public Transport {
  public:
    explicit TransportWrapper(Transport& inner) : inner_(inner) {}
    std::size_t feature_report_length() const override { return inner_.feature_report_length(); }
    std::size_t input_report_length() const override { return inner_.input_report_length(); }

  protected:
    Transport& inner_;
};

}  // namespace p330
