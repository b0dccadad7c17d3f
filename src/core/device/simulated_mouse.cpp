#include "core/device/simulated_mouse.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>

#include "core/util/file_io.h"
#include "core/util/hex.h"

namespace p330 {
namespace {

constexpr std::size_t kMaxStateFileSize = std::size_t{64} * 1024;
constexpr char kStateHeader[] = "p330-simulated-mouse 1";

}  // namespace

const char* report_kind_name(ReportKind kind) {
    switch (kind) {
        case ReportKind::kSetFeature: return "set-feature";
        case ReportKind::kGetFeature: return "get-feature";
        case ReportKind::kOutput: return "output";
        case ReportKind::kInput: return "input";
    }
    return "?";
}

SimulatedMouse::SimulatedMouse(Clock& clock)
    : clock_(clock), event_fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

SimulatedMouse::~SimulatedMouse() {
    (void)flush();
    if (event_fd_ >= 0) ::close(event_fd_);
    if (claim_fd_ >= 0) ::close(claim_fd_);
}

void SimulatedMouse::record(ReportKind kind, std::span<const std::uint8_t> bytes) {
    log_.push_back(WireReport{clock_.now(), kind, {bytes.begin(), bytes.end()}});
}

Status SimulatedMouse::check_plugged() const {
    if (plugged_) return Status::ok();
    return Error{ErrorCode::kDisconnected, "the simulated mouse is unplugged"};
}

// The errors are the ones the hidraw transport reports for the same misbehaviour: a stall
// (EPIPE) for a refused transfer, ETIMEDOUT once the USB core gives up waiting.
Status SimulatedMouse::claim_sequence() {
    if (faults_.busy_sequences > 0) {
        --faults_.busy_sequences;
        return Error{ErrorCode::kBusy, "the simulated mouse is held by another program"};
    }
    if (state_file_.empty()) return Status::ok();
    if (claim_fd_ < 0) {
        const std::string lock = state_file_.string() + ".lock";
        claim_fd_ = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (claim_fd_ < 0) {
            const int err = errno;
            return Error{ErrorCode::kIo,
                         "cannot claim the simulated mouse: " + lock + ": " + std::strerror(err),
                         err};
        }
    }
    while (::flock(claim_fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK)
            return Error{ErrorCode::kBusy,
                         "the mouse is busy: another program is sending it settings or reading "
                         "them; try again in a moment"};
        const int err = errno;
        return Error{ErrorCode::kIo,
                     std::string("cannot claim the simulated mouse: ") + std::strerror(err), err};
    }
    // What another program sent since this one read the file is the mouse's memory now.
    if (!dirty_ || only_new_) {
        if (auto bytes = read_file(state_file_, kMaxStateFileSize);
            bytes && parse(std::string(bytes->begin(), bytes->end())))
            dirty_ = only_new_ = false;
    }
    return Status::ok();
}

void SimulatedMouse::release_sequence() {
    (void)flush();
    if (claim_fd_ >= 0) ::flock(claim_fd_, LOCK_UN);
}

Status SimulatedMouse::take_transfer(const char* what, std::chrono::milliseconds silent_wait) {
    const int number = ++transfers_;
    auto failed = [&](ErrorCode code, int err) {
        return Status(Error{code,
                            std::string(what) + " on the simulated mouse (transfer " +
                                std::to_string(number) + "): " + std::strerror(err),
                            err});
    };
    if (faults_.silent_from > 0 && number >= faults_.silent_from) {
        clock_.pause(silent_wait);
        return failed(ErrorCode::kTimeout, ETIMEDOUT);
    }
    const auto& chosen = faults_.failed_transfers;
    if (std::find(chosen.begin(), chosen.end(), number) != chosen.end())
        return failed(ErrorCode::kIo, EPIPE);
    return Status::ok();
}

Status SimulatedMouse::set_feature(std::span<const std::uint8_t> report) {
    if (Status s = check_plugged(); !s) return s;
    if (Status s = take_transfer("set feature", kSilentTransferWait); !s) return s;
    record(ReportKind::kSetFeature, report);
    if (report.size() != kFeatureReportLength || report[0] != 0) {
        return Error{ErrorCode::kInvalidArgument, "feature report must be 9 bytes with id 0"};
    }
    CommandPacket packet;
    std::copy_n(report.begin() + 1, 8, packet.bytes.begin());
    if (CommandPacket::compute_checksum(packet.bytes) != packet.checksum()) {
        ++bad_checksums_;  // the firmware drops it without a word
        return Status::ok();
    }
    pending_.reset();  // a new command abandons an unfinished block
    execute(packet);
    return Status::ok();
}

void SimulatedMouse::answer(CommandPacket packet) {
    packet.seal();
    answer_ = packet.bytes;
}

void SimulatedMouse::execute(const CommandPacket& p) {
    const std::uint8_t b1 = p.bytes[1];
    const std::uint8_t b2 = p.bytes[2];
    SimulatedSlot& current = slots_[current_profile_];
    switch (p.code()) {
        case cmd::kSetHostMode: host_mode_ = b1; break;
        case cmd::kBeginUpload: break;
        case cmd::kSetReportRate:
            if (b1 < kProfileSlotCount) {
                current_profile_ = b1;
                slots_[b1].report_interval = b2;
                dirty_ = true;
                only_new_ = false;
            }
            break;
        case cmd::kWriteParameters:
            pending_ = PendingBlock{&current.parameters, std::min<std::size_t>(b2, kBlockSize)};
            break;
        case cmd::kWriteButtons:
            if (b1 < kProfileSlotCount) {
                pending_ = PendingBlock{&slots_[b1].buttons, std::min<std::size_t>(b2, kBlockSize)};
            }
            break;
        case cmd::kWriteMacro:
            if (b1 >= 1 && b1 <= kMacroCount) {
                pending_ =
                    PendingBlock{&current.macros[b1 - 1], std::min<std::size_t>(b2, kBlockSize)};
            }
            break;
        case cmd::kReadProfile:
            answer(CommandPacket::make(cmd::kReadProfile, current_profile_));
            break;
        case cmd::kReadParameters: {
            answer(CommandPacket::make(cmd::kReadParameters, 0, kBlockSize));
            for (std::size_t offset = 0; offset < kBlockSize; offset += kBlockChunk) {
                std::vector<std::uint8_t> report(kOutputReportLength, 0);
                std::copy_n(current.parameters.begin() + static_cast<std::ptrdiff_t>(offset),
                            kBlockChunk, report.begin() + 1);
                input_queue_.push_back(std::move(report));
            }
            break;
        }
        default: break;  // unknown commands are ignored by the firmware
    }
}

Status SimulatedMouse::get_feature(std::span<std::uint8_t> report) {
    if (Status s = check_plugged(); !s) return s;
    if (Status s = take_transfer("get feature", kSilentTransferWait); !s) return s;
    if (report.size() != kFeatureReportLength) {
        return Error{ErrorCode::kInvalidArgument, "feature report must be 9 bytes"};
    }
    report[0] = 0;
    std::copy(answer_.begin(), answer_.end(), report.begin() + 1);
    record(ReportKind::kGetFeature, report);
    return Status::ok();
}

Status SimulatedMouse::write_output(std::span<const std::uint8_t> report) {
    if (Status s = check_plugged(); !s) return s;
    // A lost chunk leaves its block short: the firmware never stores it.
    if (Status s = take_transfer("write", kSilentTransferWait); !s) return s;
    record(ReportKind::kOutput, report);
    if (report.size() != kOutputReportLength || report[0] != 0) {
        return Error{ErrorCode::kInvalidArgument, "output report must be 65 bytes with id 0"};
    }
    if (!pending_) {
        ++stray_outputs_;
        return Status::ok();
    }
    PendingBlock& block = *pending_;
    const std::size_t n = std::min(kBlockChunk, kBlockSize - block.received);
    std::copy_n(report.begin() + 1, n,
                block.staging.begin() + static_cast<std::ptrdiff_t>(block.received));
    block.received += n;
    if (block.received >= block.expected) {
        // The firmware stores a block only once all of it has arrived.
        std::copy_n(block.staging.begin(), block.expected, block.target->begin());
        pending_.reset();
        dirty_ = true;
        only_new_ = false;
    }
    return Status::ok();
}

Result<std::size_t> SimulatedMouse::read_input(std::span<std::uint8_t> report,
                                               std::chrono::milliseconds timeout) {
    if (Status s = check_plugged(); !s) return s.error();
    if (Status s = take_transfer("read", timeout); !s) return s.error();
    if (input_queue_.empty()) {
        clock_.pause(timeout);
        return Error{ErrorCode::kTimeout, "no input report from the simulated mouse"};
    }
    std::vector<std::uint8_t> next = std::move(input_queue_.front());
    input_queue_.pop_front();
    const std::size_t n = std::min(next.size(), report.size());
    std::copy_n(next.begin(), n, report.begin());
    record(ReportKind::kInput, std::span(next).first(n));
    return n;
}

void SimulatedMouse::raise_dpi_stage(int stage) {
    raise_input_report({6, 7, 1, static_cast<std::uint8_t>(stage), 0, 0, 0, 0});
}

void SimulatedMouse::raise_macro_key(int value) {
    raise_input_report({6, 7, 9, static_cast<std::uint8_t>(value), 0, 0, 0, 0});
}

void SimulatedMouse::raise_input_report(std::vector<std::uint8_t> report) {
    std::lock_guard lock(event_mutex_);
    if (!plugged_) return;
    event_queue_.push_back(std::move(report));
    const std::uint64_t one = 1;
    (void)!::write(event_fd_, &one, sizeof one);
}

Result<std::size_t> SimulatedMouse::read_event(std::span<std::uint8_t> report) {
    std::lock_guard lock(event_mutex_);
    if (!plugged_) return Error{ErrorCode::kDisconnected, "the simulated mouse is unplugged"};
    if (event_queue_.empty()) return Error{ErrorCode::kTimeout, "no report waiting"};
    std::vector<std::uint8_t> next = std::move(event_queue_.front());
    event_queue_.pop_front();
    if (event_queue_.empty()) {
        std::uint64_t count = 0;
        (void)!::read(event_fd_, &count, sizeof count);
    }
    const std::size_t n = std::min(next.size(), report.size());
    std::copy_n(next.begin(), n, report.begin());
    return n;
}

void SimulatedMouse::unplug() {
    plugged_ = false;
    pending_.reset();
    input_queue_.clear();
    std::lock_guard lock(event_mutex_);
    event_queue_.clear();
    std::uint64_t count = 0;
    (void)!::read(event_fd_, &count, sizeof count);
}

void SimulatedMouse::plug() {
    plugged_ = true;
}

std::string SimulatedMouse::serialise() const {
    std::ostringstream out;
    out << kStateHeader << '\n';
    out << "current_profile " << int(current_profile_) << '\n';
    out << "host_mode " << int(host_mode_) << '\n';
    for (int s = 0; s < kProfileSlotCount; ++s) {
        const SimulatedSlot& slot = slots_[s];
        out << "slot " << s << " report_interval " << int(slot.report_interval) << '\n';
        out << "slot " << s << " parameters " << to_hex(slot.parameters, "") << '\n';
        out << "slot " << s << " buttons " << to_hex(slot.buttons, "") << '\n';
        for (int m = 0; m < kMacroCount; ++m) {
            out << "slot " << s << " macro " << m + 1 << ' ' << to_hex(slot.macros[m], "") << '\n';
        }
    }
    return out.str();
}

Status SimulatedMouse::parse(const std::string& text) {
    auto bad = [](const std::string& why) {
        return Status(Error{ErrorCode::kInvalidData, "simulated mouse state: " + why});
    };
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kStateHeader) return bad("unknown header");

    std::uint8_t profile = 0;
    std::uint8_t host_mode = 0;
    std::array<SimulatedSlot, kProfileSlotCount> slots{};
    // A file cut short at a line boundary parses line by line: it is whole only when every
    // line a saved state holds was there.
    constexpr int kLinesPerSlot = 3 + kMacroCount;  // report_interval, parameters, buttons
    std::array<std::array<bool, kLinesPerSlot>, kProfileSlotCount> slot_seen{};
    bool profile_seen = false;
    bool host_mode_seen = false;
    auto read_block = [](std::istringstream& words, Block& block) {
        std::string hex;
        words >> hex;
        const auto bytes = from_hex(hex);
        if (!bytes || bytes->size() != kBlockSize) return false;
        std::copy(bytes->begin(), bytes->end(), block.begin());
        return true;
    };
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        int value = -1;
        if (key == "current_profile" || key == "host_mode") {
            if (!(words >> value) || value < 0 || value > 255) return bad("bad " + key);
            (key == "host_mode" ? host_mode : profile) = static_cast<std::uint8_t>(value);
            (key == "host_mode" ? host_mode_seen : profile_seen) = true;
            continue;
        }
        int index = -1;
        std::string field;
        if (key != "slot" || !(words >> index >> field) || index < 0 ||
            index >= kProfileSlotCount) {
            return bad("unexpected line");
        }
        SimulatedSlot& slot = slots[static_cast<std::size_t>(index)];
        bool ok = false;
        int which = 0;
        if (field == "report_interval") {
            ok = (words >> value) && value >= 0 && value <= 255;
            if (ok) slot.report_interval = static_cast<std::uint8_t>(value);
        } else if (field == "parameters") {
            ok = read_block(words, slot.parameters);
            which = 1;
        } else if (field == "buttons") {
            ok = read_block(words, slot.buttons);
            which = 2;
        } else if (field == "macro") {
            ok = (words >> value) && value >= 1 && value <= kMacroCount &&
                 read_block(words, slot.macros[static_cast<std::size_t>(value - 1)]);
            if (ok) which = 2 + value;
        }
        if (!ok) return bad("bad " + field + " of slot " + std::to_string(index));
        slot_seen[static_cast<std::size_t>(index)][static_cast<std::size_t>(which)] = true;
    }
    if (!profile_seen || !host_mode_seen) return bad("incomplete: the header lines are missing");
    for (int s = 0; s < kProfileSlotCount; ++s) {
        for (bool seen : slot_seen[static_cast<std::size_t>(s)]) {
            if (!seen) return bad("incomplete: slot " + std::to_string(s) + " is cut short");
        }
    }
    if (profile >= kProfileSlotCount) return bad("profile out of range");
    current_profile_ = profile;
    host_mode_ = host_mode;
    slots_ = slots;
    return Status::ok();
}

Status SimulatedMouse::attach_state_file(const std::filesystem::path& path) {
    state_file_ = path;
    remove_stale_temp_files(path.has_parent_path() ? path.parent_path() : ".",
                            path.filename().string());
    auto bytes = read_file(path, kMaxStateFileSize);
    if (!bytes) {
        if (bytes.error().code == ErrorCode::kNotFound) {
            dirty_ = true;  // a new mouse: write its state at the next flush
            only_new_ = true;
            return Status::ok();
        }
        state_file_.clear();  // never overwrite a file we could not understand
        return bytes.error();
    }
    Status parsed = parse(std::string(bytes->begin(), bytes->end()));
    if (!parsed) state_file_.clear();
    return parsed;
}

Status SimulatedMouse::flush() {
    if (state_file_.empty() || !dirty_) return Status::ok();
    Status written = write_file_atomically(state_file_, serialise());
    if (written) dirty_ = only_new_ = false;
    return written;
}

}  // namespace p330
