#include "core/session/arrival_settler.h"

#include <algorithm>

namespace p330 {

bool ArrivalSettler::node_arrived(const HotplugEvent& event, TimePoint now) {
    if (!waiting_since_) {
        waiting_since_ = now;
        command_ = input_ = false;
    }
    command_ = command_ || event.command;
    input_ = input_ || event.input;
    if (!(command_ && input_)) return false;
    waiting_since_.reset();
    return true;
}

bool ArrivalSettler::settled(TimePoint now) {
    if (!waiting_since_ || now - *waiting_since_ < kSettlingTime) return false;
    waiting_since_.reset();
    return true;
}

std::optional<std::chrono::milliseconds> ArrivalSettler::time_left(TimePoint now) const {
    if (!waiting_since_) return std::nullopt;
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(*waiting_since_ + kSettlingTime - now);
    return std::max(left, std::chrono::milliseconds(0));
}

}  // namespace p330
