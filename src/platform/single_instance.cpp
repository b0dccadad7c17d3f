#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/runtime_folder.h"

namespace p330 {

std::string SingleInstance::default_lock_path() {
    Result<std::string> folder = private_runtime_folder();
    return folder ? *folder + "/p330.lock" : std::string();
}

SingleInstance::SingleInstance(const std::string& fallback_dir) {
    Result<std::string> folder = private_runtime_folder();
    if (folder) {
        if (lock(*folder + "/p330.lock")) channel_path_ = *folder + "/p330.socket";
        return;
    }
    // Someone else's folder in our fallback's place must not let a second copy write the same
    // files: the lock moves to the data folder, and only the hand-off is lost.
    const std::string why = folder.error().message;
    problem_ = why;
    if (fallback_dir.empty()) return;
    std::error_code ignored;
    std::filesystem::create_directories(fallback_dir, ignored);
    problem_ = lock(fallback_dir + "/.p330-instance.lock") ? why : why + "; " + problem_;
}

bool SingleInstance::lock(const std::string& path) {
    lock_path_ = path;
    // Without blocking and without following a link: a FIFO or a link planted at the lock's
    // name must neither hang the start nor lock a file of someone else's choosing.
    const int fd =
        ::open(lock_path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        problem_ = "cannot open " + lock_path_ + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        problem_ = lock_path_ + " is not a regular file";
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        acquired_ = false;
    } else {
        fd_ = fd;
    }
    return true;
}

void SingleInstance::release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace p330
