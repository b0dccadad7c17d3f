#include "core/util/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

#include "core/util/file_io.h"
#include "core/util/file_journal.h"

namespace p330 {

std::string folder_busy_message(const std::filesystem::path& dir) {
    return "the data folder " + dir.string() + " is busy: another p330 or p330ctl kept it for " +
           std::to_string(kFolderLockWait.count() / 1000) + " s; nothing was changed, try again";
}

namespace {

// Waits until fd holds the lock `operation` asks for (LOCK_EX or LOCK_SH), or the deadline.
Status wait_for_lock(int fd, int operation, const std::filesystem::path& dir,
                     std::chrono::steady_clock::time_point deadline) {
    while (::flock(fd, operation | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return Error{
                ErrorCode::kIo,
                "cannot lock " + (dir / kFolderLockName).string() + ": " + std::strerror(errno),
                errno};
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return Error{ErrorCode::kFolderBusy, folder_busy_message(dir)};
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Status::ok();
}

}  // namespace

Result<FolderLock> FolderLock::acquire(const std::filesystem::path& dir,
                                       std::chrono::milliseconds wait) {
    return take(dir, wait, false);
}

Result<FolderLock> FolderLock::acquire_for_reading(const std::filesystem::path& dir,
                                                   std::chrono::milliseconds wait) {
    return take(dir, wait, true);
}

Result<FolderLock> FolderLock::take(const std::filesystem::path& dir,
                                    std::chrono::milliseconds wait, bool shared) {
    const std::filesystem::path path = dir / kFolderLockName;
    std::error_code ec;
    // A change this program saw committed but not completed has been completed since.
    if (!std::filesystem::exists(dir / kJournalName, ec)) clear_pending_contents();
    // Reading never writes: writers create the lock file, a reader only opens it. Without one
    // no writer has yet changed this folder (an installed defaults tree, a folder copied by
    // hand), so there is no turn to wait for. The journal of a killed change lies beside the
    // lock file that change took; a reader finding one anyway takes the writer's way, creating
    // the lock, since it must finish that change before reading.
    if (shared && !std::filesystem::exists(dir / kJournalName, ec)) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0 && errno == ENOENT) return FolderLock(-1);
        if (fd < 0) {
            return Error{ErrorCode::kIo,
                         "cannot open " + path.string() + ": " + std::strerror(errno), errno};
        }
        FolderLock lock(fd);
        if (Status held = wait_for_lock(fd, LOCK_SH, dir, std::chrono::steady_clock::now() + wait);
            !held)
            return held.error();
        // A change killed while this reader waited left its journal: finish it as a writer.
        if (!std::filesystem::exists(dir / kJournalName, ec)) {
            // What a killed writer left goes with the first reader too: only dead processes'
            // files of this user, never a change in progress (writers hold the lock).
            remove_stale_temp_files(dir);
            return lock;
        }
    }
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        // A folder nobody may write needs no turns; an existing lock file is still honoured.
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) return FolderLock(-1);
    }
    if (fd < 0) {
        return Error{ErrorCode::kIo, "cannot open " + path.string() + ": " + std::strerror(errno),
                     errno};
    }
    FolderLock lock(fd);
    // Writers, and a reader that must first finish a killed writer's change: alone.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    if (Status held = wait_for_lock(fd, LOCK_EX, dir, deadline); !held) return held.error();
    if (Status s = finish_interrupted_writes(dir, shared); !s) return s.error();
    lock.reads_pending_ = shared && std::filesystem::exists(dir / kJournalName, ec);
    remove_stale_temp_files(dir);  // what writers killed mid-save left behind
    return lock;
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      reads_pending_(std::exchange(other.reads_pending_, false)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
        reads_pending_ = std::exchange(other.reads_pending_, false);
    }
    return *this;
}

void FolderLock::release() {
    if (reads_pending_) clear_pending_contents();
    reads_pending_ = false;
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    fd_ = -1;
}

FolderLock::~FolderLock() {
    release();
}

}  // namespace p330
