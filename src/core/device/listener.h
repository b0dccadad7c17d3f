#pragma once
// The device listener: a thread that sleeps in poll() on the mouse's input collection and
// on an eventfd, and hands each report of the form 06 07 type value to its owner. The owner
// handles it on its own thread (it watches owner_fd() and calls dispatch()); the listener
// waits until it has, so reports are handled one at a time and in order. Nothing wakes the
// thread while the mouse is silent.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "core/device/mouse_link.h"

namespace p330 {

struct MouseReport {
    std::uint8_t type;  // 1..3 DPI stage, 9 macro key
    std::uint8_t value;
};

// 06 07 type value: a report of the mouse's own; anything shorter or with other ids is not.
std::optional<MouseReport> decode_mouse_report(std::span<const std::uint8_t> report);
// The report waiting on the link's input collection, decoded (nullopt when it is not one of
// the mouse's own); fails as the read fails.
Result<std::optional<MouseReport>> read_mouse_report(MouseLink& link);

class DeviceListener {
  public:
    using Handler = std::function<void(MouseReport)>;

    explicit DeviceListener(Handler handler);
    ~DeviceListener();
    DeviceListener(const DeviceListener&) = delete;
    DeviceListener& operator=(const DeviceListener&) = delete;

    void start();
    void stop();
    // Owner thread: the link whose input collection to read, or null to idle. The link must
    // outlive the call that replaces it.
    void set_source(MouseLink* link);
    // Readable while a report waits for the owner.
    int owner_fd() const { return owner_fd_; }
    // Owner thread: handles the waiting report, if any, and lets the listener go on.
    void dispatch();
    // How often the thread has woken up, for measuring the idle cost.
    std::uint64_t wakeups() const;

  private:
    void run();
    void signal(int fd);
    static void drain(int fd);

    Handler handler_;
    int wake_fd_ = -1;   // the listener's event: a new source, or stop
    int owner_fd_ = -1;  // the owner's doorbell
    std::thread thread_;

    mutable std::mutex mutex_;
    std::condition_variable handled_;
    MouseLink* source_ = nullptr;
    std::uint64_t generation_ = 0;
    std::optional<MouseReport> pending_;
    bool stopping_ = false;
    std::uint64_t wakeups_ = 0;
};

}  // namespace p330
