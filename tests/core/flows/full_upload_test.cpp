#include "core/flows/full_upload.h"

#include <gtest/gtest.h>

#include "core/device/simulated_mouse.h"
#include "fixtures/records.h"

namespace p330 {
namespace {

using std::chrono::milliseconds;

SettingsRecord sample_record() {
    SettingsRecord r{};
    r.profile_slot = 3;
    r.report_interval = 2;
    const std::uint8_t dpi[4] = {8, 16, 32, 64};
    std::copy(dpi, dpi + 4, r.dpi_stage);
    r.light_mode = 2;
    r.light_param_2 = 4;
    r.sensitivity_x = r.sensitivity_y = 5;
    r.angle_snap_level = 1;
    const std::uint8_t kinds[8] = {0, 1, 2, 2, 2, 6, 3, 4};
    std::copy(kinds, kinds + 8, r.button_kind);
    r.button_mouse[2] = 1;
    r.button_mouse[3] = 2;
    r.button_mouse[4] = 3;
    r.button_dpi[5] = 3;
    r.macro_block[0][0] = 0x00;
    r.macro_block[0][1] = 0x03;
    r.macro_block[0][2] = 0x0C;
    r.macro_block[0][3] = 0x04;
    r.macro_block[11][127] = 0x99;
    return r;
}

class FullUploadTest : public ::testing::Test {
  protected:
    ManualClock clock;
    SimulatedMouse mouse{clock};
    CommandProtocol protocol{mouse, clock};
    SettingsRecord record = sample_record();
    DeviceImage image;
};

TEST_F(FullUploadTest, WireCarriesCommandsAndBlocksInOrderWithThePauses) {
    image.current_profile = 5;
    const TransferTally tally = full_upload(protocol, record, image);
    EXPECT_TRUE(tally.ok());
    EXPECT_EQ(record.profile_slot, 0);
    EXPECT_EQ(image.current_profile, 0);

    const auto& log = mouse.log();
    // 16 commands and 2 + 2 + 12 * 2 output reports.
    ASSERT_EQ(log.size(), 16u + 28u);
    auto at = [&](std::size_t i) { return test::hex(log[i].bytes); };
    auto ms = [&](std::size_t i) {
        return std::chrono::duration_cast<milliseconds>(log[i].time).count();
    };

    EXPECT_EQ(at(0), "00 02 00 00 00 00 00 00 FD");
    EXPECT_EQ(ms(0), 0);
    EXPECT_EQ(at(1), "00 03 00 02 00 00 00 00 FA");
    EXPECT_EQ(ms(1), 10);
    EXPECT_EQ(at(2), "00 0C 00 80 00 00 00 00 73");
    EXPECT_EQ(ms(2), 20);
    EXPECT_EQ(log[3].kind, ReportKind::kOutput);
    EXPECT_EQ(ms(3), 20);
    EXPECT_EQ(ms(4), 40);
    EXPECT_EQ(at(5), "00 0D 00 80 00 00 00 00 72");
    EXPECT_EQ(ms(5), 70);
    EXPECT_EQ(ms(7), 90);

    // The button table: the default layout of buttons 1..8.
    const auto& table_low = log[6].bytes;
    EXPECT_EQ(test::hex(std::span(table_low).subspan(1, 24)),
              "01 00 F0 00 01 00 F1 00 01 00 F2 00 07 00 03 00 01 00 F4 00 01 00 F3 00");
    EXPECT_EQ(test::hex(std::span(table_low).subspan(1 + 24, 32)),
              test::hex(std::array<std::uint8_t, 32>{}));  // slots 6..13
    EXPECT_EQ(test::hex(std::span(table_low).subspan(1 + 56, 8)),
              "01 00 F7 00 01 00 F8 00");  // slots 14 and 15
    EXPECT_EQ(test::hex(std::span(log[7].bytes).subspan(1)),
              test::hex(std::array<std::uint8_t, 64>{}));

    for (int n = 1; n <= 12; ++n) {
        const std::size_t i = 8 + 3 * static_cast<std::size_t>(n - 1);
        EXPECT_EQ(log[i].bytes[1], 0x0F);
        EXPECT_EQ(log[i].bytes[2], n);
        EXPECT_EQ(log[i].bytes[3], 0x80);
        EXPECT_EQ(ms(i), 112 + 60 * (n - 1)) << "macro " << n;
        EXPECT_EQ(ms(i + 1), 112 + 60 * (n - 1));
        EXPECT_EQ(ms(i + 2), 132 + 60 * (n - 1));
    }
    EXPECT_EQ(test::hex(std::span(log[9].bytes).first(5)), "00 00 03 0C 04");
    EXPECT_EQ(log.back().bytes[64], 0x99);
    EXPECT_EQ(std::chrono::duration_cast<milliseconds>(clock.now()).count(), 832);
    EXPECT_EQ(mouse.bad_checksum_count(), 0);
    EXPECT_EQ(mouse.stray_output_count(), 0);
}

// Passes transfers on to the mouse, except `count` of them from transfer number `from` on,
// which fail with `code` without reaching it (a negative count: all that follow).
class FailingTransport : public Transport {
  public:
    FailingTransport(SimulatedMouse& mouse, int from, int count, ErrorCode code)
        : mouse_(mouse), from_(from), count_(count), code_(code) {}
    Status set_feature(std::span<const std::uint8_t> r) override {
        return fails() ? failure() : mouse_.set_feature(r);
    }
    Status get_feature(std::span<std::uint8_t> r) override {
        return fails() ? failure() : mouse_.get_feature(r);
    }
    Status write_output(std::span<const std::uint8_t> r) override {
        return fails() ? failure() : mouse_.write_output(r);
    }
    Result<std::size_t> read_input(std::span<std::uint8_t> r, milliseconds t) override {
        if (fails()) return failure().error();
        return mouse_.read_input(r, t);
    }
    int calls = 0;

  private:
    bool fails() {
        const int n = calls++;
        return n >= from_ && (count_ < 0 || n < from_ + count_);
    }
    Status failure() const { return Error{code_, "injected"}; }
    SimulatedMouse& mouse_;
    int from_, count_;
    ErrorCode code_;
};

TEST_F(FullUploadTest, StopsAtAMouseThatIsGoneOrThreeTimeOutsInARowAndCountsTheRest) {
    struct Case {
        ErrorCode code;
        int count;
        int calls;   // transfers tried on the link
        int failed;  // of 44
        long long ms;
    };
    const Case cases[] = {
        {ErrorCode::kDisconnected, -1, 11, 34, 132},  // gone in the first macro block
        {ErrorCode::kTimeout, -1, 13, 34, 172},       // three time-outs, then no more tries
        {ErrorCode::kTimeout, 2, 44, 2, 832},         // two time-outs: it goes on
    };
    for (const Case& c : cases) {
        ManualClock case_clock;
        SimulatedMouse case_mouse(case_clock);
        FailingTransport link(case_mouse, 10, c.count, c.code);
        CommandProtocol case_protocol(link, case_clock);
        SettingsRecord case_record = sample_record();
        const TransferTally tally = full_upload(case_protocol, case_record, image);
        EXPECT_EQ(link.calls, c.calls);
        EXPECT_EQ(tally.total(), 44);
        EXPECT_EQ(tally.failed(), c.failed);
        EXPECT_EQ(tally.status().error().code, c.code);
        EXPECT_EQ(std::chrono::duration_cast<milliseconds>(case_clock.now()).count(), c.ms);
        // The macro block that was cut short never replaced the mouse's copy.
        if (c.count < 0) {
            EXPECT_EQ(case_mouse.slot(0).macros[0][1], 0x00);
        }
    }
}

}  // namespace
}  // namespace p330
