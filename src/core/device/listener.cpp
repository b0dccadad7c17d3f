#include "core/device/listener.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace p330 {

std::optional<MouseReport> decode_mouse_report(std::span<const std::uint8_t> report) {
    if (report.size() < 4 || report[0] != 6 || report[1] != 7) return std::nullopt;
    return MouseReport{report[2], report[3]};
}

Result<std::optional<MouseReport>> read_mouse_report(MouseLink& link) {
    std::array<std::uint8_t, 64> buffer{};
    Result<std::size_t> got = link.read_input_report(buffer);
    if (!got) return got.error();
    return decode_mouse_report(std::span(buffer).first(std::min(*got, buffer.size())));
}

DeviceListener::DeviceListener(Handler handler)
    : handler_(std::move(handler)),
      wake_fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      owner_fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

DeviceListener::~DeviceListener() {
    stop();
    ::close(wake_fd_);
    ::close(owner_fd_);
}

void DeviceListener::signal(int fd) {
    const std::uint64_t one = 1;
    (void)!::write(fd, &one, sizeof one);
}

void DeviceListener::drain(int fd) {
    std::uint64_t count = 0;
    (void)!::read(fd, &count, sizeof count);
}

void DeviceListener::start() {
    if (thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = false;
    }
    thread_ = std::thread([this] { run(); });
}

void DeviceListener::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    handled_.notify_all();
    signal(wake_fd_);
    if (thread_.joinable()) thread_.join();
}

void DeviceListener::set_source(MouseLink* link) {
    {
        std::lock_guard lock(mutex_);
        source_ = link;
        ++generation_;
    }
    signal(wake_fd_);
}

std::uint64_t DeviceListener::wakeups() const {
    std::lock_guard lock(mutex_);
    return wakeups_;
}

void DeviceListener::dispatch() {
    drain(owner_fd_);
    std::optional<MouseReport> report;
    {
        std::lock_guard lock(mutex_);
        report = pending_;
    }
    if (report) handler_(*report);
    {
        std::lock_guard lock(mutex_);
        pending_.reset();
    }
    handled_.notify_all();
}

void DeviceListener::run() {
    std::unique_lock lock(mutex_);
    std::uint64_t dead_generation = ~0ULL;  // a source that failed is not polled again
    while (!stopping_) {
        const std::uint64_t generation = generation_;
        const int input =
            (source_ != nullptr && generation != dead_generation) ? source_->input_fd() : -1;
        lock.unlock();

        std::array<pollfd, 2> fds{{{wake_fd_, POLLIN, 0}, {input, POLLIN, 0}}};
        const int ready = ::poll(fds.data(), input >= 0 ? 2 : 1, -1);

        lock.lock();
        ++wakeups_;
        if (ready < 0 && errno != EINTR) break;
        if (fds[0].revents & POLLIN) drain(wake_fd_);
        if (stopping_ || generation != generation_ || input < 0) continue;
        if (!(fds[1].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL))) continue;

        Result<std::optional<MouseReport>> got = read_mouse_report(*source_);
        if (!got) {
            if (got.error().code != ErrorCode::kTimeout) dead_generation = generation;
            continue;
        }
        if (!*got) continue;
        pending_ = *got;
        signal(owner_fd_);
        handled_.wait(lock, [this] { return !pending_ || stopping_; });
    }
}

}  // namespace p330
