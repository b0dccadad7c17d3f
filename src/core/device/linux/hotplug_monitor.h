#pragma once
// Arrival and removal of the mouse's hidraw nodes, from a udev monitor whose descriptor the
// owner watches. Other devices are ignored.

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/device/plug_events.h"
#include "core/result.h"

struct udev;
struct udev_monitor;

namespace p330 {

class HotplugMonitor final : public PlugEventSource {
  public:
    static Result<std::unique_ptr<HotplugMonitor>> create();
    ~HotplugMonitor();
    HotplugMonitor(const HotplugMonitor&) = delete;
    HotplugMonitor& operator=(const HotplugMonitor&) = delete;

    int fd() const override;
    // Every event waiting on the monitor, reduced to those of the mouse.
    std::vector<HotplugEvent> receive() override;
    // A node found by discovery, so that its removal is recognised.
    void remember(const std::string& syspath) { known_.insert(syspath); }
    // Remembers every node of the mouse present now.
    void remember_present_nodes() override;

  private:
    HotplugMonitor(udev* u, udev_monitor* monitor) : udev_(u), monitor_(monitor) {}

    udev* udev_;
    udev_monitor* monitor_;
    // A removed node's parents are gone from sysfs, so removals are matched against the
    // nodes seen arriving or found at start.
    std::set<std::string> known_;
};

}  // namespace p330
