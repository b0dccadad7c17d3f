#pragma once
// One running copy per user: a lock on a file in the user's private runtime folder. The lock
// goes with the process, however it ends, so a crash never leaves a stale lock behind. Beside
// it lives the channel through which a second start speaks to the running copy.

#include <string>

namespace p330 {

class SingleInstance {
  public:
    // Tries to become the running copy. Without a private runtime folder the lock is taken in
    // fallback_dir (the user's data folder, made when missing): one copy still runs, but a
    // second start cannot hand its request over (there is no channel_path()).
    explicit SingleInstance(const std::string& fallback_dir = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False only when another copy holds the lock. Without a private runtime folder and
    // without a usable fallback the program runs unguarded (problem() says why) rather than
    // not at all.
    bool acquired() const { return acquired_; }
    const std::string& lock_path() const { return lock_path_; }
    // Where the running copy listens; empty without a private runtime folder, and then
    // problem() says why.
    const std::string& channel_path() const { return channel_path_; }
    const std::string& problem() const { return problem_; }
    // Lets the lock go: this copy is ending and must not keep later starts out.
    void release();

    // <runtime folder>/p330.lock, or empty without a private runtime folder.
    static std::string default_lock_path();

  private:
    bool lock(const std::string& path);

    std::string lock_path_;
    std::string channel_path_;
    std::string problem_;
    int fd_ = -1;
    bool acquired_ = true;
};

}  // namespace p330
