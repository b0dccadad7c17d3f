#include "core/flows/upload_runner.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace p330 {

UploadRunner::UploadRunner() : done_fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

UploadRunner::~UploadRunner() {
    if (thread_.joinable()) thread_.join();
    if (done_fd_ >= 0) ::close(done_fd_);
}

bool UploadRunner::start(UploadJob job) {
    if (busy_) return false;
    busy_ = true;
    done_.store(false);
    job_ = std::move(job);
    thread_ = std::thread([this] {
        job_.run();
        done_.store(true, std::memory_order_release);
        const std::uint64_t one = 1;
        (void)!::write(done_fd_, &one, sizeof one);
    });
    return true;
}

std::optional<UploadJob> UploadRunner::collect() {
    if (!busy_ || !done_.load(std::memory_order_acquire)) return std::nullopt;
    thread_.join();
    std::uint64_t count = 0;
    (void)!::read(done_fd_, &count, sizeof count);
    busy_ = false;
    return std::move(job_);
}

}  // namespace p330
