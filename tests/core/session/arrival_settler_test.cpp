#include "core/session/arrival_settler.h"

#include <gtest/gtest.h>

namespace p330 {
namespace {

using std::chrono::milliseconds;

HotplugEvent node(bool command, bool input) {
    return HotplugEvent{HotplugEvent::Action::kArrival, "/dev/hidrawN", command, input};
}

TEST(ArrivalSettlerTest, OnePlugInIsOneArrivalOnceBothNodesAreThere) {
    ArrivalSettler settler;
    const ArrivalSettler::TimePoint t0{};
    // Input node first, command node 30 ms later: due with the second, not the first.
    EXPECT_FALSE(settler.node_arrived(node(false, true), t0));
    EXPECT_EQ(settler.time_left(t0 + milliseconds(30)), milliseconds(470));
    EXPECT_TRUE(settler.node_arrived(node(true, false), t0 + milliseconds(30)));
    EXPECT_FALSE(settler.time_left(t0 + milliseconds(30)));
    EXPECT_FALSE(settler.settled(t0 + milliseconds(2000)));  // nothing waits any more

    // The next plug-in starts afresh; one node carrying both collections is due at once.
    EXPECT_FALSE(settler.node_arrived(node(true, false), t0 + milliseconds(5000)));
    settler.node_removed();  // unplugged while settling: forgotten
    EXPECT_FALSE(settler.settled(t0 + milliseconds(9000)));
    EXPECT_TRUE(settler.node_arrived(node(true, true), t0 + milliseconds(9000)));
}

TEST(ArrivalSettlerTest, AHalfMouseIsActedOnOnceTheSettlingTimeHasPassed) {
    ArrivalSettler settler;
    const ArrivalSettler::TimePoint t0{};
    EXPECT_FALSE(settler.node_arrived(node(true, false), t0));
    EXPECT_FALSE(settler.node_arrived(node(true, false), t0 + milliseconds(100)));
    EXPECT_FALSE(settler.settled(t0 + milliseconds(499)));
    EXPECT_EQ(settler.time_left(t0 + milliseconds(499)), milliseconds(1));
    EXPECT_TRUE(settler.settled(t0 + milliseconds(500)));
    EXPECT_FALSE(settler.settled(t0 + milliseconds(600)));  // once
}

}  // namespace
}  // namespace p330
