#pragma once
// Runs one upload job at a time on a thread of its own, so that the thread that owns the
// window keeps painting. The owner watches done_fd() and, once it is readable, takes the
// finished job back with collect() on its own thread.

#include <atomic>
#include <optional>
#include <thread>

#include "core/flows/upload_job.h"

namespace p330 {

class UploadRunner {
  public:
    UploadRunner();
    // Waits for a job that is still running: it holds the link the owner is about to close.
    ~UploadRunner();
    UploadRunner(const UploadRunner&) = delete;
    UploadRunner& operator=(const UploadRunner&) = delete;

    // Owner thread. False (and nothing started) while another job has not been collected.
    bool start(UploadJob job);
    // Owner thread: a job has been started and not collected yet.
    bool busy() const { return busy_; }
    // Readable once the job has run.
    int done_fd() const { return done_fd_; }
    // Owner thread: the job, run, once it has ended; nothing before.
    std::optional<UploadJob> collect();

  private:
    int done_fd_ = -1;
    std::thread thread_;
    std::atomic<bool> done_{false};
    bool busy_ = false;
    UploadJob job_;  // the worker's until done_, the owner's after the join
};

}  // namespace p330
