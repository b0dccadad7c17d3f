#pragma once
// The mouse's plug events, handled once for both faces: a removal ends the session's link at
// once; the nodes of one plug-in become one arrival (see ArrivalSettler). The owner's loop
// hands over what its watch received and calls settle() once the time handle() asked for
// has passed.

#include <chrono>
#include <optional>
#include <vector>

#include "core/device/plug_events.h"
#include "core/session/arrival_settler.h"
#include "core/session/mouse_session.h"

namespace p330 {

class PlugEventHandler {
  public:
    using TimePoint = ArrivalSettler::TimePoint;

    explicit PlugEventHandler(MouseSession& session) : session_(session) {}

    // Returns how long until settle() is due; nothing while no arrival waits.
    std::optional<std::chrono::milliseconds> handle(const std::vector<HotplugEvent>& events,
                                                    TimePoint now);
    // A waiting arrival whose settling time is over is greeted.
    void settle(TimePoint now);
    std::optional<std::chrono::milliseconds> time_left(TimePoint now) const {
        return settler_.time_left(now);
    }

  private:
    MouseSession& session_;
    ArrivalSettler settler_;
};

}  // namespace p330
