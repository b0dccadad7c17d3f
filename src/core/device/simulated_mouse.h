#pragma once
// An in-process model of the mouse's firmware behind the Transport interface: it keeps what
// the commands carry per profile slot, answers the requests, ignores packets with a bad
// checksum, records every report with its time, raises the mouse's own input reports, and
// can be unplugged. With a state file its memory survives between runs. It can also be told
// to misbehave as a failing mouse does: one chosen transfer fails, or from a chosen transfer
// on nothing answers.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/device/clock.h"
#include "core/device/command_packet.h"
#include "core/device/transport.h"
#include "core/model/device_image.h"

namespace p330 {

enum class ReportKind { kSetFeature, kGetFeature, kOutput, kInput };
const char* report_kind_name(ReportKind kind);

struct WireReport {
    std::chrono::microseconds time;
    ReportKind kind;
    std::vector<std::uint8_t> bytes;  // report id first
};

struct SimulatedSlot {
    std::uint8_t report_interval = 1;
    Block parameters = kParameterBlockTemplate;
    Block buttons{};
    std::array<Block, kMacroCount> macros{};

    bool operator==(const SimulatedSlot&) const = default;
};

// Transfers are numbered from 1 in the order they reach the mouse, as the lines of a trace.
struct SimulatedFaults {
    std::vector<int> failed_transfers;  // each fails once, as a stalled endpoint does
    int silent_from = 0;                // this transfer and every later one time out; 0: none
    int busy_sequences = 0;  // the first N sequences are refused, as another program's hold does
};

// How long a transfer to a silent mouse waits before it times out. The USB core waits 5 s;
// the model waits less so that runs stay short, and fails the same way.
constexpr std::chrono::milliseconds kSilentTransferWait{250};

class SimulatedMouse final : public Transport {
  public:
    explicit SimulatedMouse(Clock& clock);
    ~SimulatedMouse() override;
    SimulatedMouse(const SimulatedMouse&) = delete;
    SimulatedMouse& operator=(const SimulatedMouse&) = delete;

    Status set_feature(std::span<const std::uint8_t> report) override;
    Status get_feature(std::span<std::uint8_t> report) override;
    Status write_output(std::span<const std::uint8_t> report) override;
    Result<std::size_t> read_input(std::span<std::uint8_t> report,
                                   std::chrono::milliseconds timeout) override;

    void set_faults(SimulatedFaults faults) { faults_ = std::move(faults); }
    // Transfers asked of the mouse so far, failed ones included.
    int transfer_count() const { return transfers_; }

    // Firmware memory.
    std::uint8_t current_profile() const { return current_profile_; }
    void set_current_profile(std::uint8_t slot) {
        current_profile_ = static_cast<std::uint8_t>(slot % kProfileSlotCount);
    }
    std::uint8_t host_mode() const { return host_mode_; }
    const SimulatedSlot& slot(int index) const {
        return slots_.at(static_cast<std::size_t>(index));
    }
    int bad_checksum_count() const { return bad_checksums_; }
    int stray_output_count() const { return stray_outputs_; }
    // Input reports queued on the command collection (the answer to 0x8C).
    std::size_t pending_inputs() const { return input_queue_.size(); }

    // Every report that crossed the wire, in order.
    const std::vector<WireReport>& log() const { return log_; }
    void clear_log() { log_.clear(); }

    // The mouse's own reports on its input collection (06 07 type value ...).
    void raise_dpi_stage(int stage);
    void raise_macro_key(int value);
    void raise_input_report(std::vector<std::uint8_t> report);
    // Readable while a raised report is waiting; for poll().
    int event_fd() const { return event_fd_; }
    Result<std::size_t> read_event(std::span<std::uint8_t> report);

    void unplug();
    void plug();
    bool plugged() const { return plugged_; }

    // Loads the memory from a state file (a missing file is a new mouse) and saves it back
    // there on flush() and at destruction.
    Status attach_state_file(const std::filesystem::path& path);
    Status flush();
    // The state file follows each finished sequence, so that a program that is killed or
    // never ends (the window) still leaves what it sent. With a state file, a sequence holds
    // a lock beside it, as the hidraw path holds the mouse: one program at a time, the other
    // told the mouse is busy; and it starts from what the file holds, another program's
    // sequences included.
    Status claim_sequence() override;
    void release_sequence() override;

  private:
    struct PendingBlock {
        Block* target;
        std::size_t expected;
        std::size_t received = 0;
        Block staging{};
    };

    void record(ReportKind kind, std::span<const std::uint8_t> bytes);
    void execute(const CommandPacket& packet);
    void answer(CommandPacket packet);
    Status check_plugged() const;
    // Numbers the next transfer and fails it when the faults say so.
    Status take_transfer(const char* what, std::chrono::milliseconds silent_wait);
    std::string serialise() const;
    Status parse(const std::string& text);

    Clock& clock_;
    std::atomic<bool> plugged_{true};
    std::uint8_t current_profile_ = 0;
    std::uint8_t host_mode_ = 0;
    std::array<SimulatedSlot, kProfileSlotCount> slots_{};
    std::optional<PendingBlock> pending_;
    std::array<std::uint8_t, 8> answer_{};
    std::deque<std::vector<std::uint8_t>> input_queue_;
    int bad_checksums_ = 0;
    int stray_outputs_ = 0;
    std::vector<WireReport> log_;
    SimulatedFaults faults_;
    int transfers_ = 0;

    mutable std::mutex event_mutex_;  // raised reports may come from another thread
    std::deque<std::vector<std::uint8_t>> event_queue_;
    int event_fd_ = -1;

    std::filesystem::path state_file_;
    bool dirty_ = false;
    bool only_new_ = false;  // dirty only as a new mouse not yet written: another's file wins
    int claim_fd_ = -1;      // the lock file beside the state file, once a sequence was claimed
};

}  // namespace p330
