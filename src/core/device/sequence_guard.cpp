#include "core/device/sequence_guard.h"

namespace p330 {

Status SequenceGuard::watch(Status status) {
    if (status.is_ok()) {
        timeouts_in_a_row_ = 0;
        return status;
    }
    const ErrorCode code = status.error().code;
    timeouts_in_a_row_ = code == ErrorCode::kTimeout ? timeouts_in_a_row_ + 1 : 0;
    if (code == ErrorCode::kDisconnected || timeouts_in_a_row_ >= kTimeoutsInARow) {
        gave_up_ = true;
        reason_ = status.error();
        reason_.message = "not sent, the sequence stopped: " + reason_.message;
        reason_.not_sent = true;
    }
    return status;
}

Status SequenceGuard::set_feature(std::span<const std::uint8_t> report) {
    if (gave_up_) return reason_;
    return watch(inner_.set_feature(report));
}

Status SequenceGuard::get_feature(std::span<std::uint8_t> report) {
    if (gave_up_) return reason_;
    return watch(inner_.get_feature(report));
}

Status SequenceGuard::write_output(std::span<const std::uint8_t> report) {
    if (gave_up_) return reason_;
    return watch(inner_.write_output(report));
}

Result<std::size_t> SequenceGuard::read_input(std::span<std::uint8_t> report,
                                              std::chrono::milliseconds timeout) {
    if (gave_up_) return reason_;
    Result<std::size_t> got = inner_.read_input(report, timeout);
    if (Status s = watch(got.status()); !s) return s.error();
    return got;
}

void SequenceGuard::pause(std::chrono::milliseconds duration) {
    if (!gave_up_) clock_.pause(duration);
}

}  // namespace p330
