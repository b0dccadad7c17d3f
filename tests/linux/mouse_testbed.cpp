#include "mouse_testbed.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/util/hex.h"
#include "fixtures/mouse_descriptors.h"

namespace p330::test {
namespace {

void ring(FakeCommandNode& node) {
    const std::uint8_t byte = 0;
    (void)!::write(node.doorbell, &byte, 1);
}

// 0, or the error the kernel gives for this transfer: gone, or timed out on a silent mouse.
int count_transfer(FakeCommandNode& node) {
    const int n = node.transfers++;
    if (node.writes_until_unplug >= 0 && n >= node.writes_until_unplug) node.unplugged = true;
    if (node.unplugged) return ENODEV;
    return node.answers_until_silent >= 0 && n >= node.answers_until_silent ? ETIMEDOUT : 0;
}

gboolean on_ioctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
    auto* node = static_cast<FakeCommandNode*>(data);
    std::lock_guard lock(node->mutex);
    const gulong request = umockdev_ioctl_client_get_request(client);
    if (const int refused = count_transfer(*node)) {
        umockdev_ioctl_client_complete(client, -1, refused);
        return TRUE;
    }
    const bool set = _IOC_TYPE(request) == 'H' && _IOC_NR(request) == 0x06;
    const bool get = _IOC_TYPE(request) == 'H' && _IOC_NR(request) == 0x07;
    if (!set && !get) {
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return TRUE;
    }
    const std::size_t length = _IOC_SIZE(request);
    GError* error = nullptr;
    UMockdevIoctlData* arg =
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, length, &error);
    if (arg == nullptr) {
        g_clear_error(&error);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return TRUE;
    }
    std::span<std::uint8_t> report(arg->data, length);
    const std::size_t queued = node->mouse.pending_inputs();
    const Status status = set ? node->mouse.set_feature(report) : node->mouse.get_feature(report);
    if (queued == 0 && node->mouse.pending_inputs() > 0) ring(*node);
    umockdev_ioctl_client_complete(client, status ? static_cast<glong>(length) : -1,
                                   status ? 0 : EPIPE);
    return TRUE;
}

gboolean on_write(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
    auto* node = static_cast<FakeCommandNode*>(data);
    std::lock_guard lock(node->mutex);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    if (const int refused = count_transfer(*node)) {
        umockdev_ioctl_client_complete(client, -1, refused);
        return TRUE;
    }
    const Status status =
        node->mouse.write_output(std::span<const std::uint8_t>(arg->data, arg->data_len));
    umockdev_ioctl_client_complete(client, status ? static_cast<glong>(arg->data_len) : -1,
                                   status ? 0 : EPIPE);
    return TRUE;
}

gboolean on_read(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
    auto* node = static_cast<FakeCommandNode*>(data);
    std::lock_guard lock(node->mutex);
    if (node->unplugged) {
        umockdev_ioctl_client_complete(client, -1, EIO);
        return TRUE;
    }
    if (node->mouse.pending_inputs() == 0) {
        umockdev_ioctl_client_complete(client, -1, EAGAIN);
        return TRUE;
    }
    int err = 0;
    GError* error = nullptr;
    umockdev_ioctl_client_execute(client, &err, &error);  // takes the doorbell byte
    g_clear_error(&error);
    std::array<std::uint8_t, 65> report{};
    Result<std::size_t> got = node->mouse.read_input(report, std::chrono::milliseconds(0));
    if (node->mouse.pending_inputs() > 0) ring(*node);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    // A device without report ids: the kernel hands over the data without the id byte.
    const std::size_t n = got ? std::min<std::size_t>(*got - 1, arg->data_len) : 0;
    std::memcpy(arg->data, report.data() + 1, n);
    umockdev_ioctl_client_complete(client, static_cast<glong>(n), 0);
    return TRUE;
}

std::string usb_root() {
    return "/devices/pci0000:00/0000:00:14.0/usb1";
}

}  // namespace

MouseTestbed::MouseTestbed() : testbed_(umockdev_testbed_new()) {}

MouseTestbed::~MouseTestbed() {
    if (!syspaths_.empty()) unplug();
    for (int fd : pty_keepers_) ::close(fd);
    if (handler_ != nullptr) g_object_unref(handler_);
    g_object_unref(testbed_);
}

void MouseTestbed::plug(const MouseShape& shape) {
    command_ = std::make_unique<FakeCommandNode>();
    const std::string usb = usb_root() + "/" + shape.usb_port;
    char product[8];
    std::snprintf(product, sizeof product, "%04X", shape.product);
    const std::string hid_id = std::string("0003:000004D9:0000") + product;
    struct Interface {
        bool command;
        std::vector<std::uint8_t> descriptor;
    };
    std::vector<Interface> interfaces = {
        {true, shape.command_descriptor.empty() ? kCommandDescriptor : shape.command_descriptor},
        {false, kInputDescriptor}};
    if (shape.input_first) std::swap(interfaces[0], interfaces[1]);

    std::string text = "P: " + usb +
                       "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nA: idVendor=04d9\\n\n"
                       "A: idProduct=" +
                       std::string(product) + "\\n\n\n";
    syspaths_ = {"/sys" + usb};
    hidraw_syspaths_.clear();
    for (std::size_t i = 0; i < interfaces.size(); ++i) {
        char instance[8];
        std::snprintf(instance, sizeof instance, "%04X",
                      shape.first_hid_instance + static_cast<int>(i));
        const std::string hid_name = "0003:04D9:" + std::string(product) + "." + instance;
        const std::string intf = usb + "/" + shape.usb_port + ":1." + std::to_string(i);
        const std::string hid = intf + "/" + hid_name;
        const std::string raw_name =
            "hidraw" + std::to_string(shape.first_hidraw + static_cast<int>(i));
        const std::string raw = hid + "/hidraw/" + raw_name;
        text += "P: " + intf +
                "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceNumber=0" +
                std::to_string(i) + "\\n\n\n";
        text += "P: " + hid + "\nE: SUBSYSTEM=hid\nE: HID_ID=" + hid_id +
                "\nH: report_descriptor=" + to_hex(interfaces[i].descriptor, "") + "\n\n";
        text +=
            "P: " + raw + "\nN: " + raw_name + "\nE: SUBSYSTEM=hidraw\nE: DEVNAME=/dev/" +
            raw_name +
            "\nE: MAJOR=240\nE: MINOR=" + std::to_string(shape.first_hidraw + static_cast<int>(i)) +
            "\nA: dev=240:" + std::to_string(shape.first_hidraw + static_cast<int>(i)) + "\\n\n\n";
        syspaths_.push_back("/sys" + intf);
        syspaths_.push_back("/sys" + hid);
        syspaths_.push_back("/sys" + raw);
        hidraw_syspaths_.push_back("/sys" + raw);
        (interfaces[i].command ? command_node_ : input_node_) = "/dev/" + raw_name;
    }
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(testbed_, text.c_str(), &error)) {
        std::fprintf(stderr, "testbed: %s\n", error ? error->message : "?");
        std::abort();
    }
    for (const std::string& node : {command_node_, input_node_}) {
        pty_keepers_.push_back(::open(node.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    }
    command_->doorbell = umockdev_testbed_get_dev_fd(testbed_, command_node_.c_str());
    input_master_ = umockdev_testbed_get_dev_fd(testbed_, input_node_.c_str());
    if (handler_ != nullptr) g_object_unref(handler_);
    handler_ = UMOCKDEV_IOCTL_BASE(g_object_new(UMOCKDEV_TYPE_IOCTL_BASE, nullptr));
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(on_ioctl), command_.get());
    g_signal_connect(handler_, "handle-read", G_CALLBACK(on_read), command_.get());
    g_signal_connect(handler_, "handle-write", G_CALLBACK(on_write), command_.get());
    if (!umockdev_testbed_attach_ioctl(testbed_, command_node_.c_str(), handler_, &error)) {
        std::fprintf(stderr, "testbed: %s\n", error ? error->message : "?");
        std::abort();
    }
}

void MouseTestbed::unplug() {
    {
        std::lock_guard lock(command_->mutex);
        command_->unplugged = true;
    }
    for (const std::string& raw : hidraw_syspaths_)
        umockdev_testbed_uevent(testbed_, raw.c_str(), "remove");
    umockdev_testbed_detach_ioctl(testbed_, command_node_.c_str(), nullptr);
    // Bottom-up, as the kernel does.
    for (auto it = syspaths_.rbegin(); it != syspaths_.rend(); ++it)
        umockdev_testbed_remove_device(testbed_, it->c_str());
    // A vanished node reads as hung up: replace the pty masters.
    for (int master : {command_->doorbell, input_master_}) {
        const int null_fd = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        ::dup2(null_fd, master);
        ::close(null_fd);
    }
    syspaths_.clear();
}

void MouseTestbed::send_input_report(const std::vector<std::uint8_t>& report) {
    (void)!::write(input_master_, report.data(), report.size());
}

void reexec_under_umockdev(int argc, char** argv) {
    (void)argc;
    const char* preload = std::getenv("LD_PRELOAD");
    if (preload == nullptr || std::strstr(preload, "libumockdev-preload") == nullptr) {
        std::string value = "libumockdev-preload.so.0";
        if (preload != nullptr && *preload != '\0') value += std::string(":") + preload;
        ::setenv("LD_PRELOAD", value.c_str(), 1);
        ::execv("/proc/self/exe", argv);
        std::perror("re-exec under umockdev");
        std::exit(77);
    }
    // Nodes are ptys: an open without a controlling terminal must not end us with SIGHUP.
    std::signal(SIGHUP, SIG_IGN);
}

}  // namespace p330::test
