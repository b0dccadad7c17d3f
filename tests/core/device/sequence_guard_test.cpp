// The guard gives up after three time-outs in a row, never after time-outs that answers
// separate: a slow mouse is still written to, a silent one costs three waits.

#include "core/device/sequence_guard.h"

#include <gtest/gtest.h>

#include <set>

#include "fixtures/scripted_transport.h"

namespace p330 {
namespace {

// Output reports whose numbers (from 1) are listed time out; the others arrive.
class TimingOutTransport : public test::ScriptedTransport {
  public:
    explicit TimingOutTransport(std::set<int> timing_out) : timing_out_(std::move(timing_out)) {}
    Status write_output(std::span<const std::uint8_t> report) override {
        ++written_;
        if (timing_out_.count(written_)) return Error{ErrorCode::kTimeout, "timed out"};
        return ScriptedTransport::write_output(report);
    }
    int written_ = 0;

  private:
    std::set<int> timing_out_;
};

int arrived(std::set<int> timing_out, int sent) {
    TimingOutTransport mouse(std::move(timing_out));
    ManualClock clock;
    SequenceGuard guard(mouse, clock);
    const std::vector<std::uint8_t> report(65, 0);
    for (int i = 0; i < sent; ++i) (void)guard.write_output(report);
    return static_cast<int>(mouse.outputs.size());
}

TEST(SequenceGuardTest, GivesUpOnlyAfterThreeTimeOutsInARow) {
    EXPECT_EQ(arrived({1, 2, 4, 5, 7, 8}, 10), 4);  // answers between: every report is tried
    EXPECT_EQ(arrived({2, 3, 4}, 10), 1);           // three in a row: nothing after them
    EXPECT_EQ(arrived({}, 10), 10);
}

}  // namespace
}  // namespace p330
