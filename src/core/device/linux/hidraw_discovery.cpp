#include "core/device/linux/hidraw_discovery.h"

#include <libudev.h>
#include <unistd.h>

#include <memory>

#include "core/util/file_io.h"
#include "core/util/hex.h"

namespace p330 {
namespace {

struct UdevDeleter {
    void operator()(udev* u) const { udev_unref(u); }
    void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
    void operator()(udev_device* d) const { udev_device_unref(d); }
};
template <typename T>
using UdevPtr = std::unique_ptr<T, UdevDeleter>;

bool parse_hex_field(std::string_view field, std::uint32_t& out) {
    if (field.empty() || field.size() > 8) return false;
    out = 0;
    for (const char c : field) {
        const int v = hex_digit_value(c);
        if (v < 0) return false;
        out = out << 4 | static_cast<std::uint32_t>(v);
    }
    return true;
}

std::optional<HidrawNode> describe(udev_device* raw) {
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(raw, "hid", nullptr);
    if (hid == nullptr) return std::nullopt;
    const char* hid_id = udev_device_get_property_value(hid, "HID_ID");
    if (hid_id == nullptr || !is_mouse_hid_id(hid_id)) return std::nullopt;
    const char* devnode = udev_device_get_devnode(raw);
    if (devnode == nullptr) return std::nullopt;

    HidrawNode node;
    node.devnode = devnode;
    node.syspath = udev_device_get_syspath(raw);
    const std::string descriptor_path =
        std::string(udev_device_get_syspath(hid)) + "/report_descriptor";
    Result<std::vector<std::uint8_t>> bytes = read_file(descriptor_path, 4096);
    if (!bytes) {
        node.descriptor_error = bytes.error().message;
    } else if (Result<ReportDescriptorInfo> info = parse_report_descriptor(*bytes)) {
        node.descriptor = *info;
    } else {
        node.descriptor_error = info.error().message;
    }
    node.readable = ::access(devnode, R_OK) == 0;
    node.writable = ::access(devnode, W_OK) == 0;
    return node;
}

}  // namespace

bool is_mouse_hid_id(std::string_view hid_id) {
    std::uint32_t fields[3];
    for (int i = 0; i < 3; ++i) {
        const auto colon = hid_id.find(':');
        const std::string_view field = i < 2 ? hid_id.substr(0, colon) : hid_id;
        if ((i < 2 && colon == std::string_view::npos) || !parse_hex_field(field, fields[i]))
            return false;
        if (i < 2) hid_id.remove_prefix(colon + 1);
    }
    return fields[0] == 0x0003 && fields[1] == kMouseVendor && fields[2] == kMouseProduct;
}

const HidCollection* command_collection(const HidrawNode& node) {
    for (const HidCollection& c : node.descriptor.collections) {
        if (c.usage_page == 0xFF00 && c.usage == 0xFF00 && c.feature_length == 9) return &c;
    }
    return nullptr;
}

const HidCollection* input_collection(const HidrawNode& node) {
    for (const HidCollection& c : node.descriptor.collections) {
        if (c.usage_page == 0xFF01 && c.usage == 0x0001 && c.input_length != 0) return &c;
    }
    return nullptr;
}

Result<std::vector<HidrawNode>> find_mouse_nodes() {
    UdevPtr<udev> u(udev_new());
    if (!u) return Error{ErrorCode::kIo, "cannot reach udev"};
    UdevPtr<udev_enumerate> e(udev_enumerate_new(u.get()));
    if (!e || udev_enumerate_add_match_subsystem(e.get(), "hidraw") < 0 ||
        udev_enumerate_scan_devices(e.get()) < 0) {
        return Error{ErrorCode::kIo, "cannot list the hidraw devices"};
    }
    std::vector<HidrawNode> nodes;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e.get())) {
        UdevPtr<udev_device> raw(
            udev_device_new_from_syspath(u.get(), udev_list_entry_get_name(entry)));
        if (!raw) continue;
        if (std::optional<HidrawNode> node = describe(raw.get())) nodes.push_back(std::move(*node));
    }
    return nodes;
}

std::optional<HidrawNode> describe_hidraw_node(const std::string& devnode_or_syspath) {
    UdevPtr<udev> u(udev_new());
    if (!u) return std::nullopt;
    std::string syspath = devnode_or_syspath;
    if (syspath.rfind("/dev/", 0) == 0) syspath = "/sys/class/hidraw/" + syspath.substr(5);
    UdevPtr<udev_device> raw(udev_device_new_from_syspath(u.get(), syspath.c_str()));
    if (!raw) return std::nullopt;
    return describe(raw.get());
}

}  // namespace p330
