#pragma once
// Commands and data blocks over a Transport, with the pauses the firmware needs.
//
// A failed transfer does not stop a sequence here (the mouse must not be left with half a
// profile because one report was lost), and every sequence reports whether all of its
// transfers succeeded. The full upload adds a SequenceGuard for a mouse that is gone.

#include <cstdint>
#include <span>

#include "core/device/clock.h"
#include "core/device/command_packet.h"
#include "core/device/transport.h"
#include "core/model/device_image.h"
#include "core/result.h"

namespace p330 {

// Outcome of a sequence of transfers: how many did not reach the mouse, how many of those were
// never tried because the sequence had given up, and the first failure.
class TransferTally {
  public:
    void note(const Status& status);
    void merge(const TransferTally& other);
    bool ok() const { return failed_ == 0; }
    int failed() const { return failed_; }  // not_sent() included
    int not_sent() const { return not_sent_; }
    int total() const { return total_; }
    Status status() const;

  private:
    int total_ = 0;
    int failed_ = 0;
    int not_sent_ = 0;
    Error first_error_;
};

class CommandProtocol {
  public:
    CommandProtocol(Transport& transport, Clock& clock) : transport_(transport), clock_(clock) {}

    // Seals the checksum and sends; a request's answer replaces the packet (zeros on failure).
    TransferTally send_command(CommandPacket& packet);
    // Write: the packet, then b2 bytes of data in 64-byte output reports 20 ms apart.
    // Read: the packet, its answer, then the announced bytes as input reports. Nothing is
    // copied past the end of data, whatever the mouse announces.
    TransferTally send_command_with_block(CommandPacket& packet, std::span<std::uint8_t> data);

    TransferTally set_host_mode(const DeviceImage& image);
    TransferTally begin_upload();
    TransferTally set_report_rate(const DeviceImage& image);
    TransferTally read_current_profile(DeviceImage& image);
    TransferTally read_parameter_block(DeviceImage& image);
    TransferTally write_parameter_block(DeviceImage& image);
    TransferTally write_button_table(DeviceImage& image);
    TransferTally write_macros(DeviceImage& image);

    Transport& transport() { return transport_; }
    Clock& clock() { return clock_; }

  private:
    Status send_packet(const CommandPacket& packet);
    Status fetch_answer(CommandPacket& packet);

    Transport& transport_;
    Clock& clock_;
};

// A sequence that could not start: one failed transfer carrying why.
TransferTally refused_sequence(const Status& why);

// First contact after the mouse is opened: clear the image, learn the mouse's current
// profile (0x82, also stored as the record's profile slot), then set the host mode (0x01 FC).
TransferTally connect_handshake(CommandProtocol& protocol, DeviceImage& image,
                                std::uint8_t& profile_slot);

// The mouse's current profile (0x82) and its parameter block (0x8C into block 0).
TransferTally read_mouse_state(CommandProtocol& protocol, DeviceImage& image);

inline constexpr char kMouseNotUnderstood[] =
    "the mouse answered something this program does not understand: ";
constexpr int kMaxDpi = 5000;

// Whether what read_mouse_state brought can be the mouse's settings: a profile slot 0..5 and,
// for stages first_stage..last_stage, a DPI neither 0 nor above 5000. Answers outside that
// are never shown as settings.
Status check_mouse_answer(const DeviceImage& image, int first_stage, int last_stage);

}  // namespace p330
