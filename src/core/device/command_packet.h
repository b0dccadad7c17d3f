#pragma once
// The 8-byte command the host sends in a feature report.

#include <array>
#include <cstdint>

namespace p330 {

struct CommandPacket {
    std::array<std::uint8_t, 8> bytes{};

    static CommandPacket make(std::uint8_t code, std::uint8_t b1 = 0, std::uint8_t b2 = 0) {
        CommandPacket packet;
        packet.bytes[0] = code;
        packet.bytes[1] = b1;
        packet.bytes[2] = b2;
        return packet;
    }

    std::uint8_t code() const { return bytes[0]; }
    bool is_request() const { return (bytes[0] & 0x80) != 0; }
    std::uint8_t checksum() const { return bytes[7]; }
    // b7 := 0xFF - (b0 + ... + b6) mod 256, whatever b7 held.
    void seal() { bytes[7] = compute_checksum(bytes); }

    static std::uint8_t compute_checksum(const std::array<std::uint8_t, 8>& b) {
        unsigned sum = 0;
        for (int i = 0; i < 7; ++i) sum += b[i];
        return static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
    }
};

static_assert(sizeof(CommandPacket) == 8);

namespace cmd {
constexpr std::uint8_t kSetHostMode = 0x01;
constexpr std::uint8_t kBeginUpload = 0x02;
constexpr std::uint8_t kSetReportRate = 0x03;
constexpr std::uint8_t kWriteParameters = 0x0C;
constexpr std::uint8_t kWriteButtons = 0x0D;
constexpr std::uint8_t kWriteMacro = 0x0F;
constexpr std::uint8_t kReadProfile = 0x82;
constexpr std::uint8_t kReadParameters = 0x8C;
}  // namespace cmd

}  // namespace p330
