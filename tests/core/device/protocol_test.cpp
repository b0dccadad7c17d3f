#include "core/device/protocol.h"

#include <gtest/gtest.h>

#include "fixtures/scripted_transport.h"

namespace p330 {
namespace {

using test::feature;
using test::ScriptedTransport;

TEST(CommandPacketTest, ChecksumIsFFMinusSumOfFirstSevenBytes) {
    struct Case {
        std::array<std::uint8_t, 8> bytes;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {{0x02, 0, 0, 0, 0, 0, 0, 0}, 0xFD},
        {{0x82, 0, 0, 0, 0, 0, 0, 0}, 0x7D},
        {{0x01, 0xFC, 0, 0, 0, 0, 0, 0}, 0x02},
        {{0x0C, 0x00, 0x80, 0, 0, 0, 0, 0}, 0x73},
        // Whatever b7 held is replaced; the sum wraps modulo 256.
        {{0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0x55}, 0x02},
    };
    for (const Case& c : cases) {
        CommandPacket packet{c.bytes};
        packet.seal();
        EXPECT_EQ(packet.checksum(), c.expected);
    }
}

class ProtocolTest : public ::testing::Test {
  protected:
    ScriptedTransport transport;
    ManualClock clock;
    CommandProtocol protocol{transport, clock};
};

TEST_F(ProtocolTest, CommandTravelsAsNineByteFeatureReportWithIdZero) {
    CommandPacket packet = CommandPacket::make(0x02);
    EXPECT_TRUE(protocol.send_command(packet).ok());
    ASSERT_EQ(transport.features_set.size(), 1u);
    EXPECT_EQ(transport.features_set[0], feature({0x02, 0, 0, 0, 0, 0, 0, 0xFD}));
}

TEST_F(ProtocolTest, RequestAnswerReplacesThePacket) {
    transport.feature_answer = {0, 0x82, 0x03, 0, 0, 0, 0, 0, 0x7A};
    CommandPacket packet = CommandPacket::make(0x82);
    protocol.send_command(packet);
    EXPECT_EQ(packet.bytes[1], 0x03);
    EXPECT_EQ(packet.bytes[7], 0x7A);
}

TEST_F(ProtocolTest, BlockWriteSendsCeilOfB2Over64ReportsOf65Bytes) {
    struct Case {
        std::uint8_t b2;
        std::size_t reports;
    };
    for (const Case c : {Case{128, 2}, Case{0, 0}, Case{65, 2}, Case{64, 1}}) {
        transport.outputs.clear();
        Block data{};
        for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i);
        CommandPacket packet = CommandPacket::make(0x0C, 0, c.b2);
        protocol.send_command_with_block(packet, data);
        ASSERT_EQ(transport.outputs.size(), c.reports) << "b2 = " << int(c.b2);
        for (std::size_t r = 0; r < c.reports; ++r) {
            const auto& report = transport.outputs[r];
            ASSERT_EQ(report.size(), 65u);
            EXPECT_EQ(report[0], 0);
            EXPECT_EQ(report[1], 64 * r);  // first data byte of the chunk
            EXPECT_EQ(report[64], 64 * r + 63);
        }
    }
}

TEST_F(ProtocolTest, BlockWriteNeverReadsPastTheSourceBuffer) {
    std::array<std::uint8_t, 70> data{};
    data.fill(0xAB);
    CommandPacket packet = CommandPacket::make(0x0C, 0, 0xFF);  // 4 chunks announced
    protocol.send_command_with_block(packet, data);
    ASSERT_EQ(transport.outputs.size(), 4u);
    EXPECT_EQ(transport.outputs[1][6], 0xAB);  // byte 69 of the source
    EXPECT_EQ(transport.outputs[1][7], 0x00);  // beyond the source: zero
    EXPECT_EQ(transport.outputs[3][1], 0x00);
}

std::vector<std::uint8_t> input_chunk(std::uint8_t fill) {
    std::vector<std::uint8_t> report(65, fill);
    report[0] = 0;
    return report;
}

TEST_F(ProtocolTest, BlockReadFetchesAnnouncedChunks) {
    transport.feature_answer = {0, 0x8C, 0, 128, 0, 0, 0, 0, 0};
    transport.inputs = {input_chunk(0x11), input_chunk(0x22)};
    Block data{};
    CommandPacket packet = CommandPacket::make(0x8C);
    EXPECT_TRUE(protocol.send_command_with_block(packet, data).ok());
    EXPECT_EQ(transport.input_reads, 2);
    EXPECT_EQ(data[0], 0x11);
    EXPECT_EQ(data[63], 0x11);
    EXPECT_EQ(data[64], 0x22);
    EXPECT_EQ(data[127], 0x22);
}

TEST_F(ProtocolTest, OverlongAnnouncementKeepsOnlyTheFirstBlock) {
    transport.feature_answer = {0, 0x8C, 0, 0xFF, 0, 0, 0, 0, 0};
    transport.inputs = {input_chunk(1), input_chunk(2), input_chunk(3), input_chunk(4)};
    struct Guarded {
        Block block{};
        std::array<std::uint8_t, 16> guard{};
    } buffer;
    CommandPacket packet = CommandPacket::make(0x8C);
    protocol.send_command_with_block(packet, buffer.block);
    EXPECT_EQ(transport.input_reads, 4);  // the announced chunks are drained
    EXPECT_EQ(buffer.block[127], 2);
    EXPECT_EQ(buffer.guard, (std::array<std::uint8_t, 16>{}));
}

TEST_F(ProtocolTest, InputReportLongerThanSixtyFiveBytesIsHandled) {
    transport.input_length = 200;
    transport.feature_answer = {0, 0x8C, 0, 64, 0, 0, 0, 0, 0};
    std::vector<std::uint8_t> long_report(200, 0x5A);
    transport.inputs = {long_report};
    Block data{};
    CommandPacket packet = CommandPacket::make(0x8C);
    EXPECT_TRUE(protocol.send_command_with_block(packet, data).ok());
    EXPECT_EQ(data[63], 0x5A);
    EXPECT_EQ(data[64], 0x00);
}

TEST_F(ProtocolTest, SilentMouseMakesTheReadFailButTheSequenceGoesOn) {
    transport.feature_answer = {0, 0x8C, 0, 128, 0, 0, 0, 0, 0};
    Block data{};
    data.fill(0x77);
    CommandPacket packet = CommandPacket::make(0x8C);
    TransferTally tally = protocol.send_command_with_block(packet, data);
    EXPECT_FALSE(tally.ok());
    EXPECT_EQ(tally.failed(), 2);
    EXPECT_EQ(transport.input_reads, 2);
    EXPECT_EQ(data[0], 0x77);  // a lost chunk leaves the destination as it was
    EXPECT_EQ(tally.status().error().code, ErrorCode::kTimeout);
}

TEST_F(ProtocolTest, FailedAnswerIsZeroed) {
    transport.fail_everything = true;
    DeviceImage image;
    image.current_profile = 4;
    EXPECT_FALSE(protocol.read_current_profile(image).ok());
    EXPECT_EQ(image.current_profile, 0);
}

TEST_F(ProtocolTest, HandshakeReadsProfileThenSetsHostMode) {
    transport.feature_answer = {0, 0x82, 0x02, 0, 0, 0, 0, 0, 0x7B};
    DeviceImage image;
    image.report_interval = 9;
    std::uint8_t slot = 0;
    EXPECT_TRUE(connect_handshake(protocol, image, slot).ok());
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(image.current_profile, 2);
    EXPECT_EQ(image.host_mode, 0xFC);
    EXPECT_EQ(image.report_interval, 0);  // the image was cleared
    ASSERT_EQ(transport.features_set.size(), 2u);
    EXPECT_EQ(transport.features_set[0], feature({0x82, 0, 0, 0, 0, 0, 0, 0x7D}));
    EXPECT_EQ(transport.features_set[1], feature({0x01, 0xFC, 0, 0, 0, 0, 0, 0x02}));
}

// A short input report is a lost chunk, not zeros; answers the mouse cannot mean are refused.
TEST_F(ProtocolTest, ShortReportsFailAndImpossibleAnswersAreNotTakenAsSettings) {
    DeviceImage image;
    image.parameter_block[0] = kParameterBlockTemplate;
    transport.feature_answer = {0, 0x8C, 0, 0x80, 0, 0, 0, 0, 0};
    transport.inputs.emplace_back(65, 0x07);
    transport.inputs.emplace_back(30, 0x07);
    const TransferTally tally = protocol.read_parameter_block(image);
    EXPECT_EQ(tally.failed(), 1);
    EXPECT_NE(tally.status().message().find("short input report: 30 of 65"), std::string::npos);
    EXPECT_EQ(image.parameter_block[0][0x54], 0x08);  // the short chunk left the block alone
    EXPECT_EQ(image.parameter_block[0][0x3F], 0x07);

    EXPECT_TRUE(check_mouse_answer(image, 1, 4));
    struct Case {
        std::uint8_t profile;
        std::uint8_t stage2;
        const char* says;
    };
    for (const Case c : {Case{29, 0x10, "profile 29"}, Case{0, 192, "DPI 9600 for stage 2"},
                         Case{5, 0, "DPI 0 for stage 2"}}) {
        image.current_profile = c.profile;
        image.parameter_block[0][0x55] = c.stage2;
        const Status status = check_mouse_answer(image, 1, 4);
        ASSERT_FALSE(status) << c.says;
        EXPECT_EQ(status.message(), std::string(kMouseNotUnderstood) + c.says);
    }
    EXPECT_TRUE(check_mouse_answer(image, 1, 1));  // only the stage asked about counts
}

}  // namespace
}  // namespace p330
