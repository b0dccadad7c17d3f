#include "core/device/linux/hotplug_monitor.h"

#include <libudev.h>

#include <cstring>

#include "core/device/linux/hidraw_discovery.h"

namespace p330 {

Result<std::unique_ptr<HotplugMonitor>> HotplugMonitor::create() {
    udev* u = udev_new();
    if (u == nullptr) return Error{ErrorCode::kIo, "cannot reach udev"};
    udev_monitor* monitor = udev_monitor_new_from_netlink(u, "udev");
    if (monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor != nullptr) udev_monitor_unref(monitor);
        udev_unref(u);
        return Error{ErrorCode::kIo, "cannot watch for devices being plugged in"};
    }
    return std::unique_ptr<HotplugMonitor>(new HotplugMonitor(u, monitor));
}

HotplugMonitor::~HotplugMonitor() {
    udev_monitor_unref(monitor_);
    udev_unref(udev_);
}

void HotplugMonitor::remember_present_nodes() {
    if (Result<std::vector<HidrawNode>> nodes = find_mouse_nodes()) {
        for (const HidrawNode& node : *nodes) remember(node.syspath);
    }
}

int HotplugMonitor::fd() const {
    return udev_monitor_get_fd(monitor_);
}

std::vector<HotplugEvent> HotplugMonitor::receive() {
    std::vector<HotplugEvent> events;
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* syspath = udev_device_get_syspath(device);
        const char* devnode = udev_device_get_devnode(device);
        const std::string path = syspath ? syspath : "";
        const std::string node = devnode ? devnode : "";
        if (action != nullptr && std::strcmp(action, "add") == 0) {
            udev_device* hid =
                udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
            const char* hid_id = hid ? udev_device_get_property_value(hid, "HID_ID") : nullptr;
            if (hid_id != nullptr && is_mouse_hid_id(hid_id)) {
                known_.insert(path);
                HotplugEvent event{HotplugEvent::Action::kArrival, node};
                if (std::optional<HidrawNode> described = describe_hidraw_node(path)) {
                    event.command = command_collection(*described) != nullptr;
                    event.input = input_collection(*described) != nullptr;
                }
                events.push_back(std::move(event));
            }
        } else if (action != nullptr && std::strcmp(action, "remove") == 0 &&
                   known_.erase(path) > 0) {
            events.push_back({HotplugEvent::Action::kRemoval, node});
        }
        udev_device_unref(device);
    }
    return events;
}

}  // namespace p330

namespace p330 {

Result<std::unique_ptr<PlugEventSource>> watch_plug_events() {
    Result<std::unique_ptr<HotplugMonitor>> monitor = HotplugMonitor::create();
    if (!monitor) return monitor.error();
    return std::unique_ptr<PlugEventSource>(std::move(*monitor));
}

}  // namespace p330
