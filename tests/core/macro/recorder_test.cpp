#include "core/macro/recorder.h"

#include <gtest/gtest.h>

namespace p330 {
namespace {

RecordedKeyEvent press(const std::string& name, std::uint32_t t, bool repeat = false) {
    return {name, false, repeat, t};
}
RecordedKeyEvent release(const std::string& name, std::uint32_t t, bool was_down = true) {
    return {name, true, was_down, t};
}

TEST(RecorderTest, HeldKeyRecordsOnePressAndOneReleaseWithDelays) {
    MacroRecorder recorder;
    std::vector<std::string> items = {"old"};
    recorder.start(items);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(recorder.feed(press("A", 1000), true, items), MacroRecorder::Outcome::kRecorded);
    EXPECT_EQ(recorder.feed(press("A", 1500, true), true, items), MacroRecorder::Outcome::kDropped);
    EXPECT_EQ(recorder.feed(press("A", 1530, true), true, items), MacroRecorder::Outcome::kDropped);
    recorder.feed(release("A", 1596), true, items);
    recorder.feed(press("B", 1776), true, items);
    // Down already: a repeat, also when the window system did not flag it as one.
    EXPECT_EQ(recorder.feed(press("B", 1800, false), true, items),
              MacroRecorder::Outcome::kDropped);
    EXPECT_EQ(items, (std::vector<std::string>{"A   Dn", "596 ms", "A   Up", "180 ms", "B   Dn"}));
    EXPECT_EQ(recorder.state(), MacroRecorder::State::kRecording);
    EXPECT_TRUE(recorder.stop());
    EXPECT_EQ(recorder.state(), MacroRecorder::State::kStopped);
    EXPECT_FALSE(recorder.stop());  // a stop without a recording does nothing
}

TEST(RecorderTest, WithoutDelaysOnlyKeysAndKeysHeldAtTheStartAreNotReleased) {
    MacroRecorder recorder;
    std::vector<std::string> items;
    recorder.start(items);
    // Held when the recording started (the Enter that started it, a Shift): no release of
    // a key the macro never pressed, before the first press or after it.
    EXPECT_EQ(recorder.feed(release("Enter", 5000), true, items), MacroRecorder::Outcome::kDropped);
    EXPECT_EQ(recorder.state(), MacroRecorder::State::kWaitingForFirstPress);
    recorder.feed(press("Esc", 5100), true, items);
    EXPECT_EQ(recorder.feed(release("Shift", 5150), true, items), MacroRecorder::Outcome::kDropped);
    EXPECT_EQ(items, (std::vector<std::string>{"Esc   Dn"}));

    recorder.start(items);
    recorder.feed(press("Enter", 1), false, items);
    recorder.feed(release("Enter", 90), false, items);
    EXPECT_EQ(items, (std::vector<std::string>{"Enter   Dn", "Enter   Up"}));
}

TEST(RecorderTest, SixtyFifthEventStopsTheRecording) {
    MacroRecorder recorder;
    std::vector<std::string> items;
    recorder.start(items);
    for (int i = 0; i < 32; ++i) {
        ASSERT_EQ(recorder.feed(press("K", 10u * i), false, items),
                  MacroRecorder::Outcome::kRecorded);
        ASSERT_EQ(recorder.feed(release("K", 10u * i + 5), false, items),
                  MacroRecorder::Outcome::kRecorded);
    }
    EXPECT_EQ(recorder.feed(press("L", 999), false, items), MacroRecorder::Outcome::kLimitReached);
    EXPECT_EQ(items.size(), 64u);
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(recorder.feed(press("L", 1000), false, items), MacroRecorder::Outcome::kDropped);
}

TEST(RecorderTest, ResetForgetsAnInterruptedRecording) {
    MacroRecorder recorder;
    std::vector<std::string> items;
    recorder.start(items);
    recorder.feed(press("A", 1), true, items);
    recorder.reset();  // the manager was closed and opened again
    EXPECT_FALSE(recorder.recording());
    EXPECT_FALSE(recorder.stop());
}

}  // namespace
}  // namespace p330
