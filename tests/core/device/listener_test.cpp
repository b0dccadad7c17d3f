#include "core/device/listener.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <thread>
#include <vector>

#include "core/device/simulated_link.h"
#include "core/device/simulated_mouse.h"

namespace p330 {
namespace {

// Waits on the owner's doorbell as an owner's event loop would, then dispatches.
bool dispatch_one(DeviceListener& listener, int timeout_ms = 5000) {
    pollfd pfd{listener.owner_fd(), POLLIN, 0};
    if (::poll(&pfd, 1, timeout_ms) != 1) return false;
    listener.dispatch();
    return true;
}

TEST(DecodeMouseReportTest, OnlySixSevenReportsOfFourBytes) {
    const std::uint8_t good[] = {6, 7, 2, 3, 0};
    const std::uint8_t other_id[] = {5, 7, 1, 1};
    const std::uint8_t short_report[] = {6, 7, 1};
    ASSERT_TRUE(decode_mouse_report(good));
    EXPECT_EQ(decode_mouse_report(good)->type, 2);
    EXPECT_EQ(decode_mouse_report(good)->value, 3);
    EXPECT_FALSE(decode_mouse_report(other_id));
    EXPECT_FALSE(decode_mouse_report(short_report));
}

TEST(ListenerTest, ReportsReachTheOwnerInOrderOnItsThread) {
    ManualClock clock;
    SimulatedMouse mouse(clock);
    SimulatedMouseLink link(mouse);
    std::vector<std::pair<int, int>> seen;
    const auto owner = std::this_thread::get_id();
    bool on_owner_thread = true;
    DeviceListener listener([&](MouseReport r) {
        on_owner_thread = on_owner_thread && std::this_thread::get_id() == owner;
        seen.emplace_back(r.type, r.value);
    });
    listener.start();
    listener.set_source(&link);
    mouse.raise_dpi_stage(3);
    mouse.raise_input_report({5, 7, 1, 1});  // another id: ignored
    mouse.raise_input_report({6, 7});        // short: ignored
    mouse.raise_macro_key(2);
    ASSERT_TRUE(dispatch_one(listener));
    ASSERT_TRUE(dispatch_one(listener));
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 3}, {9, 2}}));
    EXPECT_TRUE(on_owner_thread);
    listener.stop();
}

// Waits, boundedly, until the listener has woken `count` times in all.
bool woken(const DeviceListener& listener, std::uint64_t count) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (listener.wakeups() < count) {
        if (std::chrono::steady_clock::now() > give_up) return false;
        std::this_thread::yield();
    }
    return true;
}

// Every wake-up has a cause: a new source, a report (even one that is not the mouse's own).
// How little an idle listener costs over time is measured by bench/listener_idle.
TEST(ListenerTest, WakesOnlyForItsEventsAndStopsCleanly) {
    ManualClock clock;
    SimulatedMouse mouse(clock);
    SimulatedMouseLink link(mouse);
    int handled = 0;
    DeviceListener listener([&](MouseReport) { ++handled; });
    listener.start();
    listener.set_source(&link);
    ASSERT_TRUE(woken(listener, 1));
    mouse.raise_input_report({5, 7, 1, 1});  // another id: read and dropped
    ASSERT_TRUE(woken(listener, 2));
    mouse.raise_dpi_stage(2);
    ASSERT_TRUE(dispatch_one(listener));
    ASSERT_TRUE(woken(listener, 3));
    EXPECT_EQ(handled, 1);
    // Unplugged: the source is dropped and the thread idles until a new one comes.
    mouse.unplug();
    listener.set_source(nullptr);
    ASSERT_TRUE(woken(listener, 4));
    listener.set_source(&link);
    ASSERT_TRUE(woken(listener, 5));
    EXPECT_EQ(listener.wakeups(), 5u);
    listener.stop();
}

TEST(ListenerTest, StopWhileAReportWaitsForTheOwner) {
    ManualClock clock;
    SimulatedMouse mouse(clock);
    SimulatedMouseLink link(mouse);
    DeviceListener listener([](MouseReport) { FAIL() << "never dispatched"; });
    listener.start();
    listener.set_source(&link);
    mouse.raise_dpi_stage(1);
    pollfd pfd{listener.owner_fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&pfd, 1, 5000), 1);
    listener.stop();  // must not hang on the undelivered report
}

}  // namespace
}  // namespace p330
