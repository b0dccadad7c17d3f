#pragma once
// Arrival and removal of the mouse's device nodes, as the program sees them, and the source
// that reports them through a descriptor its owner watches. On Linux the source is a udev
// monitor (device/linux/); nothing outside device/ needs to know that.

#include <memory>
#include <string>
#include <vector>

#include "core/result.h"

namespace p330 {

struct HotplugEvent {
    enum class Action { kArrival, kRemoval } action;
    std::string devnode;
    // Of an arrival: whether the node carries the command collection, the input collection.
    bool command = false;
    bool input = false;
};

class PlugEventSource {
  public:
    virtual ~PlugEventSource() = default;
    // Readable when events wait.
    virtual int fd() const = 0;
    // Every event waiting, reduced to those of the mouse.
    virtual std::vector<HotplugEvent> receive() = 0;
    // Remembers every node of the mouse present now, so that its removal is recognised.
    virtual void remember_present_nodes() = 0;
};

// The system's plug events of the mouse.
Result<std::unique_ptr<PlugEventSource>> watch_plug_events();

}  // namespace p330
