#include "core/device/linux/hidraw_link.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/util/unique_fd.h"

namespace p330 {
namespace {

constexpr char kUdevRuleHint[] =
    "install the udev rule 70-p330.rules (see the README), then plug the mouse in again";

Error errno_error(const std::string& what, int err) {
    ErrorCode code = ErrorCode::kIo;
    if (err == ENODEV || err == ENOENT || err == ENXIO) code = ErrorCode::kDisconnected;
    if (err == EACCES || err == EPERM) code = ErrorCode::kPermission;
    if (err == ETIMEDOUT) code = ErrorCode::kTimeout;  // the USB core gave up on a transfer
    return Error{code, what + ": " + std::strerror(err), err};
}

using Fd = UniqueFd;

Result<Fd> open_node(const std::string& devnode, int flags) {
    const int fd = ::open(devnode.c_str(), flags | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int err = errno;
        Error error = errno_error("cannot open " + devnode, err);
        if (error.code == ErrorCode::kPermission)
            error.message += "; " + std::string(kUdevRuleHint);
        return error;
    }
    return Fd(fd);
}

class HidrawTransport final : public Transport {
  public:
    HidrawTransport(Fd fd, std::string devnode, std::size_t input_length, bool report_ids)
        : fd_(std::move(fd)),
          devnode_(std::move(devnode)),
          input_length_(input_length),
          report_ids_(report_ids) {}

    Status set_feature(std::span<const std::uint8_t> report) override {
        std::vector<std::uint8_t> buffer(report.begin(), report.end());
        const int n = ::ioctl(fd_.get(), HIDIOCSFEATURE(buffer.size()), buffer.data());
        if (n < 0) return errno_error("set feature on " + devnode_, errno);
        if (static_cast<std::size_t>(n) != report.size()) return short_transfer("set feature", n);
        return Status::ok();
    }

    Status get_feature(std::span<std::uint8_t> report) override {
        const int n = ::ioctl(fd_.get(), HIDIOCGFEATURE(report.size()), report.data());
        if (n < 0) return errno_error("get feature on " + devnode_, errno);
        if (static_cast<std::size_t>(n) != report.size()) return short_transfer("get feature", n);
        return Status::ok();
    }

    Status write_output(std::span<const std::uint8_t> report) override {
        ssize_t n = 0;
        do {
            n = ::write(fd_.get(), report.data(), report.size());
        } while (n < 0 && errno == EINTR);
        if (n < 0) return errno_error("write to " + devnode_, errno);
        if (static_cast<std::size_t>(n) != report.size())
            return short_transfer("write", static_cast<int>(n));
        return Status::ok();
    }

    Result<std::size_t> read_input(std::span<std::uint8_t> report,
                                   std::chrono::milliseconds timeout) override {
        return read_report(fd_.get(), devnode_, report_ids_, report,
                           static_cast<int>(timeout.count()));
    }

    std::size_t input_report_length() const override { return input_length_; }

    // An advisory lock on the command node's folder in sysfs, which every program reaching
    // this mouse shares (a lock on the node itself would do too, but an emulated node gives
    // each opener its own); without that folder only this program's sequences are in order.
    void claim_through(Fd folder) { claim_ = std::move(folder); }
    Status claim_sequence() override {
        if (claim_.get() < 0) return Status::ok();
        while (::flock(claim_.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            if (errno == EWOULDBLOCK) {
                return Error{ErrorCode::kBusy,
                             "the mouse is busy: another program is sending it "
                             "settings or reading them; try again in a moment"};
            }
            return errno_error("cannot claim " + devnode_, errno);
        }
        return Status::ok();
    }
    void release_sequence() override {
        if (claim_.get() >= 0) ::flock(claim_.get(), LOCK_UN);
    }

    // One report, the report id put back in front when the device numbers none.
    static Result<std::size_t> read_report(int fd, const std::string& devnode, bool report_ids,
                                           std::span<std::uint8_t> report, int timeout_ms) {
        if (report.empty()) return Error{ErrorCode::kInvalidArgument, "empty buffer"};
        pollfd pfd{fd, POLLIN, 0};
        int ready = 0;
        do {
            ready = ::poll(&pfd, 1, timeout_ms);
        } while (ready < 0 && errno == EINTR);
        if (ready < 0) return errno_error("poll on " + devnode, errno);
        if (ready == 0)
            return Error{ErrorCode::kTimeout, "no report from " + devnode + " within " +
                                                  std::to_string(timeout_ms) + " ms"};
        if ((pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) && !(pfd.revents & POLLIN)) {
            return Error{ErrorCode::kDisconnected, devnode + " is gone"};
        }
        std::uint8_t* into = report_ids ? report.data() : report.data() + 1;
        const std::size_t room = report_ids ? report.size() : report.size() - 1;
        ssize_t n = 0;
        do {
            n = ::read(fd, into, room);
        } while (n < 0 && errno == EINTR);
        if (n < 0) {
            if (errno == EAGAIN)
                return Error{ErrorCode::kTimeout, "no report waiting on " + devnode};
            return errno_error("read from " + devnode, errno);
        }
        if (n == 0) return Error{ErrorCode::kDisconnected, devnode + " is gone"};
        if (!report_ids) report[0] = 0;
        return static_cast<std::size_t>(n) + (report_ids ? 0 : 1);
    }

  private:
    Status short_transfer(const char* what, int n) const {
        return Error{ErrorCode::kIo, std::string(what) + " on " + devnode_ + " moved " +
                                         std::to_string(n) + " bytes"};
    }

    Fd fd_;
    std::string devnode_;
    Fd claim_;  // the folder locked for a sequence
    std::size_t input_length_;
    bool report_ids_;
};

class HidrawLink final : public MouseLink {
  public:
    HidrawLink(std::unique_ptr<HidrawTransport> transport, std::string command_node, Fd input,
               std::string input_node, bool input_report_ids)
        : transport_(std::move(transport)),
          command_node_(std::move(command_node)),
          input_(std::move(input)),
          input_node_(std::move(input_node)),
          input_report_ids_(input_report_ids) {}

    Transport& transport() override { return *transport_; }
    int input_fd() const override { return input_.get(); }
    Result<std::size_t> read_input_report(std::span<std::uint8_t> report) override {
        if (input_.get() < 0)
            return Error{ErrorCode::kNotFound, "the input collection is not open"};
        return HidrawTransport::read_report(input_.get(), input_node_, input_report_ids_, report,
                                            0);
    }
    std::string description() const override {
        return "mouse at " + command_node_ +
               (input_node_.empty() ? "" : " (events on " + input_node_ + ")");
    }

  private:
    std::unique_ptr<HidrawTransport> transport_;
    std::string command_node_;
    Fd input_;
    std::string input_node_;
    bool input_report_ids_;
};

}  // namespace

Result<std::unique_ptr<MouseLink>> open_hidraw_mouse(const std::vector<HidrawNode>& nodes) {
    const HidrawNode* command = nullptr;
    const HidrawNode* input = nullptr;
    for (const HidrawNode& node : nodes) {
        if (command == nullptr && command_collection(node) != nullptr) command = &node;
        if (input == nullptr && input_collection(node) != nullptr) input = &node;
    }
    if (command == nullptr) {
        return Error{ErrorCode::kNotFound,
                     nodes.empty() ? "the mouse (USB 04D9:C7E2) was not found"
                                   : "the mouse was found but not its command interface"};
    }
    Result<Fd> command_fd = open_node(command->devnode, O_RDWR);
    if (!command_fd) return command_fd.error();
    const HidCollection* commands = command_collection(*command);
    auto transport = std::make_unique<HidrawTransport>(
        std::move(*command_fd), command->devnode,
        std::max<std::size_t>(commands->input_length, kOutputReportLength),
        command->descriptor.uses_report_ids);
    if (Result<Fd> folder = open_node(command->syspath, O_RDONLY | O_DIRECTORY))
        transport->claim_through(std::move(*folder));
    Fd input_fd;
    std::string input_node;
    bool input_ids = true;
    if (input != nullptr) {
        // Without the input collection the mouse still works; only its notifications are lost.
        if (Result<Fd> opened = open_node(input->devnode, O_RDONLY | O_NONBLOCK)) {
            input_fd = std::move(*opened);
            input_node = input->devnode;
            input_ids = input->descriptor.uses_report_ids;
        }
    }
    return std::unique_ptr<MouseLink>(std::make_unique<HidrawLink>(
        std::move(transport), command->devnode, std::move(input_fd), input_node, input_ids));
}

Result<std::unique_ptr<MouseLink>> open_mouse_link(const std::string& device_name, Clock& clock) {
    if (device_name == "sim" || device_name.rfind("sim:", 0) == 0)
        return open_simulated_mouse(device_name, clock);
    Result<std::vector<HidrawNode>> nodes = find_mouse_nodes();
    if (!nodes) return nodes.error();
    if (device_name == "auto") return open_hidraw_mouse(*nodes);
    // A named node is the command node; the input collection is looked for beside it.
    std::vector<HidrawNode> chosen;
    for (const HidrawNode& node : *nodes) {
        if (node.devnode == device_name)
            chosen.insert(chosen.begin(), node);
        else if (input_collection(node) != nullptr)
            chosen.push_back(node);
    }
    if (chosen.empty() || chosen.front().devnode != device_name) {
        return Error{ErrorCode::kNotFound,
                     device_name + " is not a hidraw node of the mouse (USB 04D9:C7E2)"};
    }
    return open_hidraw_mouse(chosen);
}

}  // namespace p330
