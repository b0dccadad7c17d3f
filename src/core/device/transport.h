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

    // One sequence of transfers (an upload, a handshake, a state read) at a time across
    // programs, so that theirs never interleave: refused at once (kBusy) while another
    // program holds the mouse. Nothing to claim where only this program reaches the model.
    virtual Status claim_sequence() { return Status::ok(); }
    virtual void release_sequence() {}
};

// Holds the mouse for one sequence, from construction to destruction.
class SequenceClaim {
  public:
    explicit SequenceClaim(Transport& transport)
        : transport_(transport), status_(transport.claim_sequence()) {}
    ~SequenceClaim() {
        if (status_) transport_.release_sequence();
    }
    SequenceClaim(const SequenceClaim&) = delete;
    SequenceClaim& operator=(const SequenceClaim&) = delete;
    const Status& status() const { return status_; }

  private:
    Transport& transport_;
    Status status_;
};

// A transport in front of another (tracing, guarding): the report lengths are the inner one's.
class TransportWrapper : public Transport {
  public:
    explicit TransportWrapper(Transport& inner) : inner_(inner) {}
    std::size_t feature_report_length() const override { return inner_.feature_report_length(); }
    std::size_t input_report_length() const override { return inner_.input_report_length(); }
    Status claim_sequence() override { return inner_.claim_sequence(); }
    void release_sequence() override { inner_.release_sequence(); }

  protected:
    Transport& inner_;
};

}  // namespace p330
