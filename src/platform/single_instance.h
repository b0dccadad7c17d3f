#pragma once
// One running copy per user: a lock on a file in the user's private runtime folder. The lock
// goes with the process, however it ends, so a crash never leaves a stale lock behind. Beside
// it lives the channel through which a second start speaks to the running copy.

#include <string>

namespace p330 {

class SingleInstance {
  public:
    // Tries to become the running copy.
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False only when another copy holds the lock. Without a private runtime folder the
    // program runs unguarded (problem() says why) rather than not at all.
    bool acquired() const { return acquired_; }
    const std::string& lock_path() const { return lock_path_; }
    // Where the running copy listens; empty without a private runtime folder.
    const std::string& channel_path() const { return channel_path_; }
    const std::string& problem() const { return problem_; }

    // <runtime folder>/p330.lock, or empty without a private runtime folder.
    static std::string default_lock_path();

  private:
    std::string lock_path_;
    std::string channel_path_;
    std::string problem_;
    int fd_ = -1;
    bool acquired_ = true;
};

}  // namespace p330
