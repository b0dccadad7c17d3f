#include "core/device/clock.h"

#include <thread>

namespace p330 {

std::chrono::microseconds SystemClock::now() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 start_);
}

void SystemClock::pause(std::chrono::milliseconds duration) {
    // Sleeping to an absolute deadline keeps a wake-up that comes early from shortening the
    // pause the firmware needs.
    std::this_thread::sleep_until(std::chrono::steady_clock::now() + duration);
}

SystemClock& SystemClock::instance() {
    static SystemClock clock;
    return clock;
}

}  // namespace p330
