// The listener's idle cost: how often its thread wakes over ten seconds while the mouse is
// attached and silent. The target is none.

#include <chrono>
#include <cstdio>
#include <thread>

#include "core/device/listener.h"
#include "core/device/mouse_link.h"

int main() {
    p330::SystemClock& clock = p330::SystemClock::instance();
    auto link = p330::open_simulated_mouse("sim", clock);
    if (!link) return 1;
    p330::DeviceListener listener([](p330::MouseReport) {});
    listener.start();
    listener.set_source(link->get());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the start-up wake-ups settle
    const std::uint64_t before = listener.wakeups();
    std::this_thread::sleep_for(std::chrono::seconds(10));
    const std::uint64_t idle = listener.wakeups() - before;
    listener.stop();
    std::printf("listener wake-ups in 10 s with the mouse attached and silent: %llu\n",
                static_cast<unsigned long long>(idle));
    return idle == 0 ? 0 : 1;
}
