#include "core/device/simulated_mouse.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <fstream>

#include "core/flows/full_upload.h"
#include "fixtures/records.h"
#include "fixtures/temp_dir.h"

namespace p330 {
namespace {

std::vector<std::uint8_t> command(std::array<std::uint8_t, 8> bytes, bool seal = true) {
    CommandPacket packet{bytes};
    if (seal) packet.seal();
    std::vector<std::uint8_t> report(9, 0);
    std::copy(packet.bytes.begin(), packet.bytes.end(), report.begin() + 1);
    return report;
}

class SimulatedMouseTest : public ::testing::Test {
  protected:
    ManualClock clock;
    SimulatedMouse mouse{clock};
};

TEST_F(SimulatedMouseTest, BadChecksumIsIgnoredAndCounted) {
    ASSERT_TRUE(mouse.set_feature(command({0x03, 2, 8, 0, 0, 0, 0, 0x00}, false)));
    EXPECT_EQ(mouse.bad_checksum_count(), 1);
    EXPECT_EQ(mouse.current_profile(), 0);
    ASSERT_TRUE(mouse.set_feature(command({0x03, 2, 8, 0, 0, 0, 0, 0})));
    EXPECT_EQ(mouse.current_profile(), 2);
    EXPECT_EQ(mouse.slot(2).report_interval, 8);
    EXPECT_EQ(mouse.log().size(), 2u);  // both reached the wire
}

TEST_F(SimulatedMouseTest, AnswersProfileAndParameterRequests) {
    mouse.set_current_profile(4);
    ASSERT_TRUE(mouse.set_feature(command({0x82, 0, 0, 0, 0, 0, 0, 0})));
    std::array<std::uint8_t, 9> answer{};
    ASSERT_TRUE(mouse.get_feature(answer));
    EXPECT_EQ(test::hex(answer), "00 82 04 00 00 00 00 00 79");

    ASSERT_TRUE(mouse.set_feature(command({0x8C, 0, 0, 0, 0, 0, 0, 0})));
    ASSERT_TRUE(mouse.get_feature(answer));
    EXPECT_EQ(answer[3], 128);
    std::array<std::uint8_t, 65> report{};
    for (int chunk = 0; chunk < 2; ++chunk) {
        auto n = mouse.read_input(report, std::chrono::milliseconds(1000));
        ASSERT_TRUE(n);
        EXPECT_EQ(*n, 65u);
    }
    EXPECT_EQ(report[1 + 0x54 - 64], 0x08);  // the template's first DPI stage
    auto silent = mouse.read_input(report, std::chrono::milliseconds(1000));
    ASSERT_FALSE(silent);
    EXPECT_EQ(silent.error().code, ErrorCode::kTimeout);
    EXPECT_EQ(clock.now(), std::chrono::milliseconds(1000));
}

TEST_F(SimulatedMouseTest, OutputWithoutABlockCommandIsStray) {
    std::array<std::uint8_t, 65> report{};
    ASSERT_TRUE(mouse.write_output(report));
    EXPECT_EQ(mouse.stray_output_count(), 1);
}

TEST_F(SimulatedMouseTest, UnpluggedMouseFailsEveryCallUntilPluggedBack) {
    mouse.unplug();
    std::array<std::uint8_t, 9> feature{};
    std::array<std::uint8_t, 65> report{};
    EXPECT_EQ(mouse.set_feature(command({0x02, 0, 0, 0, 0, 0, 0, 0})).error().code,
              ErrorCode::kDisconnected);
    EXPECT_FALSE(mouse.get_feature(feature));
    EXPECT_FALSE(mouse.write_output(report));
    EXPECT_FALSE(mouse.read_input(report, std::chrono::milliseconds(1)));
    mouse.raise_dpi_stage(2);
    EXPECT_FALSE(mouse.read_event(report));
    mouse.plug();
    EXPECT_TRUE(mouse.set_feature(command({0x02, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_TRUE(mouse.log().size() == 1u);
}

TEST_F(SimulatedMouseTest, RaisedReportsWakeTheEventDescriptor) {
    pollfd pfd{mouse.event_fd(), POLLIN, 0};
    EXPECT_EQ(::poll(&pfd, 1, 0), 0);
    mouse.raise_dpi_stage(3);
    mouse.raise_macro_key(2);
    EXPECT_EQ(::poll(&pfd, 1, 0), 1);
    std::array<std::uint8_t, 8> report{};
    ASSERT_TRUE(mouse.read_event(report));
    EXPECT_EQ(test::hex(std::span(report).first(4)), "06 07 01 03");
    ASSERT_TRUE(mouse.read_event(report));
    EXPECT_EQ(test::hex(std::span(report).first(4)), "06 07 09 02");
    EXPECT_EQ(::poll(&pfd, 1, 0), 0);
}

TEST(SimulatedMouseStateTest, MemorySurvivesBetweenRunsThroughTheStateFile) {
    test::TempDir dir;
    const auto path = dir.path() / "mouse.state";
    ManualClock clock;
    SettingsRecord record{};
    record.report_interval = 4;
    record.dpi_stage[0] = 77;
    record.macro_block[5][9] = 0x31;
    {
        SimulatedMouse mouse(clock);
        ASSERT_TRUE(mouse.attach_state_file(path));
        CommandProtocol protocol(mouse, clock);
        DeviceImage image;
        ASSERT_TRUE(full_upload(protocol, record, image).ok());
    }
    SimulatedMouse again(clock);
    ASSERT_TRUE(again.attach_state_file(path));
    EXPECT_EQ(again.slot(0).report_interval, 4);
    EXPECT_EQ(again.slot(0).parameters[0x54], 77);
    EXPECT_EQ(again.slot(0).macros[5][9], 0x31);
}

// Two programs on one state file take turns as on the real mouse, and a sequence starts from
// what the file holds: the second program never writes back memory older than the first's.
TEST(SimulatedMouseStateTest, TwoProgramsOnOneStateFileTakeTurnsAndKeepEachOthersChanges) {
    test::TempDir dir;
    const auto path = dir.path() / "mouse.state";
    ManualClock clock;
    SimulatedMouse first(clock), second(clock);
    ASSERT_TRUE(first.attach_state_file(path));
    ASSERT_TRUE(second.attach_state_file(path));
    SettingsRecord record{};
    record.report_interval = 4;
    record.dpi_stage[0] = 77;
    CommandProtocol protocol(first, clock);
    DeviceImage image;
    ASSERT_TRUE(full_upload(protocol, record, image).ok());
    {
        const SequenceClaim held(second);
        ASSERT_TRUE(held.status());
        EXPECT_EQ(second.slot(0).parameters[0x54], 77);
        EXPECT_EQ(full_upload(protocol, record, image).status().error().code, ErrorCode::kBusy);
    }
    EXPECT_TRUE(full_upload(protocol, record, image).ok());
}

// Damaged, and cut short at a line boundary (every line whole, the last ones missing).
TEST(SimulatedMouseStateTest, DamagedOrCutShortStateFileIsRefusedAndLeftAlone) {
    test::TempDir dir;
    const auto path = dir.path() / "mouse.state";
    ManualClock clock;
    {
        SimulatedMouse mouse(clock);
        ASSERT_TRUE(mouse.attach_state_file(path));
    }  // a new mouse writes its whole state
    std::ifstream whole_file(path);
    const std::string whole((std::istreambuf_iterator<char>(whole_file)), {});
    const std::string without_last_line = whole.substr(0, whole.rfind('\n', whole.size() - 2) + 1);
    const std::string damaged = "p330-simulated-mouse 1\nslot 9 buttons 00\n";
    for (const std::string& content :
         {damaged, without_last_line, whole.substr(0, whole.find("slot 5"))}) {
        std::ofstream(path) << content;
        {
            SimulatedMouse mouse(clock);
            const Status status = mouse.attach_state_file(path);
            EXPECT_FALSE(status);
            EXPECT_EQ(status.error().code, ErrorCode::kInvalidData);
            mouse.set_current_profile(1);
            (void)mouse.set_feature(command({0x03, 1, 2, 0, 0, 0, 0, 0}));
        }
        std::ifstream in(path);
        EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), {}), content);
    }
}

}  // namespace
}  // namespace p330
