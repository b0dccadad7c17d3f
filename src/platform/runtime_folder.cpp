#include "platform/runtime_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace p330 {

namespace {

std::string absolute_env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : "";
}

}  // namespace

Status check_private_folder(const std::string& path) {
    // O_NOFOLLOW: a symbolic link planted in place of the folder is refused, not followed.
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return Error{ErrorCode::kPermission,
                     "cannot open the folder " + path + ": " + std::strerror(errno), errno};
    }
    struct stat info {};
    const int stated = ::fstat(fd, &info);
    ::close(fd);
    if (stated != 0) return Error{ErrorCode::kIo, "cannot inspect " + path};
    if (info.st_uid != ::geteuid())
        return Error{ErrorCode::kPermission, path + " belongs to another user"};
    if ((info.st_mode & 077) != 0)
        return Error{ErrorCode::kPermission, path + " is open to other users"};
    return Status::ok();
}

Result<std::string> private_runtime_folder() {
    const std::string runtime = absolute_env("XDG_RUNTIME_DIR");
    if (!runtime.empty() && check_private_folder(runtime)) return runtime;

    std::string base = absolute_env("TMPDIR");
    if (base.empty()) base = "/tmp";
    const std::string own = base + "/p330-runtime-" + std::to_string(::geteuid());
    if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) {
        return Error{ErrorCode::kIo, "cannot create " + own + ": " + std::strerror(errno), errno};
    }
    if (Status checked = check_private_folder(own); !checked) return checked.error();
    return own;
}

}  // namespace p330
