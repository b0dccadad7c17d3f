#pragma once
// One plug-in of the mouse brings its hidraw nodes one by one, a moment apart, each with an
// arrival of its own. Acting on the first would open half a mouse ("did not detect" when
// the input node comes first, "found" twice otherwise). The settler makes one arrival of
// them: it is due once a command node and an input node have both arrived, or once the
// settling time has passed since the first node of the plug-in.

#include <chrono>
#include <optional>

#include "core/device/plug_events.h"

namespace p330 {

class ArrivalSettler {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;
    static constexpr std::chrono::milliseconds kSettlingTime{500};

    // A node of the mouse arrived. True when the arrival is due now.
    bool node_arrived(const HotplugEvent& event, TimePoint now);
    // A node went away: a plug-in still settling is forgotten.
    void node_removed() { waiting_since_.reset(); }
    // True, once, when a waiting arrival's settling time is over.
    bool settled(TimePoint now);
    // How long until settled() is due, for a timer or poll(); nothing while none waits.
    std::optional<std::chrono::milliseconds> time_left(TimePoint now) const;

  private:
    std::optional<TimePoint> waiting_since_;
    bool command_ = false;
    bool input_ = false;
};

}  // namespace p330
