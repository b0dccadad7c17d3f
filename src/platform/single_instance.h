#pragma once
// One running copy per user: a lock on a file in the user's runtime folder. The lock goes
// with the process, however it ends, so a crash never leaves a stale lock behind.

#include <string>

namespace p330 {

class SingleInstance {
  public:
    // Tries to become the running copy.
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False only when another copy holds the lock; a lock file that cannot be made at all
    // does not keep the program from running.
    bool acquired() const { return acquired_; }
    const std::string& lock_path() const { return path_; }

    // $XDG_RUNTIME_DIR/p330.lock, or a per-user name in /tmp without a runtime folder.
    static std::string default_lock_path();

  private:
    std::string path_;
    int fd_ = -1;
    bool acquired_ = true;
};

}  // namespace p330
