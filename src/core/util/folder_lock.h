#pragma once
// The data folder's writers take turns: every read-modify-write of the user's files, by the
// window or by the command-line tool, holds an advisory lock on a file in the folder. It is
// held for the few milliseconds a change takes; a second writer waits a bounded time for it.
// Readers share the lock among themselves: they never wait for one another, only for a
// writer, and a writer waits for them. Taking the lock also finishes a change that a killed
// writer left half done.

#include <chrono>
#include <filesystem>

#include "core/result.h"

namespace p330 {

inline constexpr char kFolderLockName[] = ".p330.lock";
inline constexpr std::chrono::milliseconds kFolderLockWait{5000};

class FolderLock {
  public:
    // Waits up to `wait` for the lock; an error of kind kFolderBusy saying who to blame when
    // another program holds it longer.
    static Result<FolderLock> acquire(const std::filesystem::path& dir,
                                      std::chrono::milliseconds wait = kFolderLockWait);
    // The same for reading only: shared with other readers. A reader that finds a change
    // half made finishes it first, holding the folder as a writer for that read.
    static Result<FolderLock> acquire_for_reading(const std::filesystem::path& dir,
                                                  std::chrono::milliseconds wait = kFolderLockWait);
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

  private:
    explicit FolderLock(int fd) : fd_(fd) {}  // -1: nothing held
    void release();
    static Result<FolderLock> take(const std::filesystem::path& dir, std::chrono::milliseconds wait,
                                   bool shared);
    int fd_ = -1;
    bool reads_pending_ = false;  // reads see a committed change not yet completed
};

// The words of a lock time-out, for both faces.
std::string folder_busy_message(const std::filesystem::path& dir);

}  // namespace p330
