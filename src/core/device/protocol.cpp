#include "core/device/protocol.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/device/sequence_guard.h"

namespace p330 {

using std::chrono::milliseconds;

void TransferTally::note(const Status& status) {
    ++total_;
    if (!status.is_ok()) {
        if (failed_ == 0) first_error_ = status.error();
        ++failed_;
        if (status.error().not_sent) ++not_sent_;
    }
}

void TransferTally::merge(const TransferTally& other) {
    if (failed_ == 0 && other.failed_ != 0) first_error_ = other.first_error_;
    total_ += other.total_;
    failed_ += other.failed_;
    not_sent_ += other.not_sent_;
}

Status TransferTally::status() const {
    if (ok()) return Status::ok();
    Error error = first_error_;
    const std::string not_sent = not_sent_ == 0 ? ""
                                                : ", " + std::to_string(not_sent_) +
                                                      " not sent after the mouse stopped answering";
    error.message = std::to_string(failed_ - not_sent_) + " of " + std::to_string(total_) +
                    " transfers failed" + not_sent + "; first: " + error.message;
    return error;
}

Status CommandProtocol::send_packet(const CommandPacket& packet) {
    std::array<std::uint8_t, 16> report{};
    std::copy(packet.bytes.begin(), packet.bytes.end(), report.begin() + 1);
    const std::size_t length = std::min(transport_.feature_report_length(), report.size());
    return transport_.set_feature(std::span(report).first(length));
}

Status CommandProtocol::fetch_answer(CommandPacket& packet) {
    std::array<std::uint8_t, 16> report{};  // report id 0
    const std::size_t length = std::min(transport_.feature_report_length(), report.size());
    Status status = transport_.get_feature(std::span(report).first(length));
    if (!status) report.fill(0);
    std::copy_n(report.begin() + 1, packet.bytes.size(), packet.bytes.begin());
    return status;
}

TransferTally CommandProtocol::send_command(CommandPacket& packet) {
    TransferTally tally;
    packet.seal();
    tally.note(send_packet(packet));
    if (packet.is_request()) tally.note(fetch_answer(packet));
    return tally;
}

TransferTally CommandProtocol::send_command_with_block(CommandPacket& packet,
                                                       std::span<std::uint8_t> data) {
    TransferTally tally;
    packet.seal();
    tally.note(send_packet(packet));

    if (!packet.is_request()) {
        const std::size_t chunks = (packet.bytes[2] + kBlockChunk - 1) / kBlockChunk;
        for (std::size_t i = 0; i < chunks; ++i) {
            std::array<std::uint8_t, kOutputReportLength> report{};
            const std::size_t offset = i * kBlockChunk;
            if (offset < data.size()) {
                const std::size_t n = std::min(kBlockChunk, data.size() - offset);
                std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(offset), n,
                            report.begin() + 1);
            }
            tally.note(transport_.write_output(report));
            clock_.pause(milliseconds(20));
        }
        return tally;
    }

    tally.note(fetch_answer(packet));
    const std::size_t chunks = (packet.bytes[2] + kBlockChunk - 1) / kBlockChunk;
    std::vector<std::uint8_t> report(
        std::max(transport_.input_report_length(), kOutputReportLength));
    for (std::size_t i = 0; i < chunks; ++i) {
        std::fill(report.begin(), report.end(), 0);
        Result<std::size_t> got = transport_.read_input(report, kReadTimeout);
        if (got && *got < kOutputReportLength) {
            got = Error{ErrorCode::kIo, "short input report: " + std::to_string(*got) + " of " +
                                            std::to_string(kOutputReportLength) + " bytes"};
        }
        tally.note(got.status());
        if (!got) continue;  // a lost chunk leaves its part of the destination as it was
        const std::size_t offset = i * kBlockChunk;
        if (offset >= data.size()) continue;  // more than the destination holds: drop it
        const std::size_t n = std::min(kBlockChunk, data.size() - offset);
        std::copy_n(report.begin() + 1, n, data.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    return tally;
}

TransferTally CommandProtocol::set_host_mode(const DeviceImage& image) {
    CommandPacket packet = CommandPacket::make(cmd::kSetHostMode, image.host_mode);
    return send_command(packet);
}

TransferTally CommandProtocol::begin_upload() {
    CommandPacket packet = CommandPacket::make(cmd::kBeginUpload);
    TransferTally tally = send_command(packet);
    clock_.pause(milliseconds(10));
    return tally;
}

TransferTally CommandProtocol::set_report_rate(const DeviceImage& image) {
    CommandPacket packet =
        CommandPacket::make(cmd::kSetReportRate, image.current_profile, image.report_interval);
    TransferTally tally = send_command(packet);
    clock_.pause(milliseconds(10));
    return tally;
}

TransferTally CommandProtocol::read_current_profile(DeviceImage& image) {
    CommandPacket packet = CommandPacket::make(cmd::kReadProfile);
    TransferTally tally = send_command(packet);
    image.current_profile = packet.bytes[1];
    return tally;
}

TransferTally CommandProtocol::read_parameter_block(DeviceImage& image) {
    CommandPacket packet = CommandPacket::make(cmd::kReadParameters);
    TransferTally tally = send_command_with_block(packet, image.parameter_block[0]);
    clock_.pause(milliseconds(10));
    return tally;
}

TransferTally CommandProtocol::write_parameter_block(DeviceImage& image) {
    CommandPacket packet = CommandPacket::make(cmd::kWriteParameters, 0, kBlockSize);
    TransferTally tally = send_command_with_block(packet, image.parameter_block[0]);
    clock_.pause(milliseconds(10));
    return tally;
}

TransferTally CommandProtocol::write_button_table(DeviceImage& image) {
    CommandPacket packet =
        CommandPacket::make(cmd::kWriteButtons, image.current_profile, kBlockSize);
    TransferTally tally = send_command_with_block(packet, image.button_table);
    clock_.pause(milliseconds(2));
    return tally;
}

TransferTally CommandProtocol::write_macros(DeviceImage& image) {
    TransferTally tally;
    for (int n = 1; n <= kMacroCount; ++n) {
        CommandPacket packet =
            CommandPacket::make(cmd::kWriteMacro, static_cast<std::uint8_t>(n), kBlockSize);
        tally.merge(send_command_with_block(packet, image.macro_block[n - 1]));
        clock_.pause(milliseconds(20));
    }
    return tally;
}

TransferTally refused_sequence(const Status& why) {
    TransferTally tally;
    tally.note(why);
    return tally;
}

TransferTally connect_handshake(CommandProtocol& protocol, DeviceImage& image,
                                std::uint8_t& profile_slot) {
    const SequenceClaim claim(protocol.transport());
    if (!claim.status()) return refused_sequence(claim.status());
    // Guarded as an upload is: a mouse that is gone is not asked again.
    SequenceGuard guard(protocol.transport(), protocol.clock());
    CommandProtocol guarded(guard, guard);
    image = DeviceImage{};
    TransferTally tally = guarded.read_current_profile(image);
    profile_slot = image.current_profile;
    image.host_mode = kHostMode;
    tally.merge(guarded.set_host_mode(image));
    return tally;
}

TransferTally read_mouse_state(CommandProtocol& protocol, DeviceImage& image) {
    const SequenceClaim claim(protocol.transport());
    if (!claim.status()) return refused_sequence(claim.status());
    TransferTally tally = protocol.read_current_profile(image);
    tally.merge(protocol.read_parameter_block(image));
    return tally;
}

Status check_mouse_answer(const DeviceImage& image, int first_stage, int last_stage) {
    auto not_understood = [](const std::string& what) {
        return Status(Error{ErrorCode::kInvalidData, std::string(kMouseNotUnderstood) + what});
    };
    if (image.current_profile >= kProfileSlotCount)
        return not_understood("profile " + std::to_string(image.current_profile));
    for (int stage = first_stage; stage <= last_stage; ++stage) {
        const int dpi = stage_dpi(image, 0, stage);  // 0x8C reads into block 0
        if (dpi == 0 || dpi > kMaxDpi) {
            return not_understood("DPI " + std::to_string(dpi) + " for stage " +
                                  std::to_string(stage));
        }
    }
    return Status::ok();
}

}  // namespace p330
