#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/runtime_folder.h"

namespace p330 {

std::string SingleInstance::default_lock_path() {
    Result<std::string> folder = private_runtime_folder();
    return folder ? *folder + "/p330.lock" : std::string();
}

SingleInstance::SingleInstance() {
    Result<std::string> folder = private_runtime_folder();
    if (!folder) {
        problem_ = folder.error().message;
        return;
    }
    lock_path_ = *folder + "/p330.lock";
    // Without blocking and without following a link: a FIFO or a link planted at the lock's
    // name must neither hang the start nor lock a file of someone else's choosing.
    const int fd = ::open(lock_path_.c_str(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        problem_ = "cannot open " + lock_path_ + ": " + std::strerror(errno);
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        problem_ = lock_path_ + " is not a regular file";
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        acquired_ = false;
    } else {
        fd_ = fd;
    }
    channel_path_ = *folder + "/p330.socket";
}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace p330
