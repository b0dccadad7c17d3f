#include "core/session/plug_handling.h"

namespace p330 {

std::optional<std::chrono::milliseconds> PlugEventHandler::handle(
    const std::vector<HotplugEvent>& events, TimePoint now) {
    for (const HotplugEvent& event : events) {
        if (event.action == HotplugEvent::Action::kRemoval) {
            settler_.node_removed();
            session_.on_removal();
        } else if (settler_.node_arrived(event, now)) {
            session_.on_arrival();  // waits while an upload holds the link
        }
    }
    return settler_.time_left(now);
}

void PlugEventHandler::settle(TimePoint now) {
    if (settler_.settled(now)) session_.on_arrival();
}

}  // namespace p330
