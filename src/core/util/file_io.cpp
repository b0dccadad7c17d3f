#include "core/util/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "core/util/kill_point.h"
#include "core/util/unique_fd.h"

namespace p330 {
namespace fs = std::filesystem;
namespace {

// Temporary names: "." + the file's name + this mark + the writer's process id + "-" + a
// suffix. The process id tells a killed writer's leftover from a save in progress.
constexpr std::string_view kTempMark = ".p330-tmp-";
constexpr int kMaxLinkHops = 40;

std::mutex pending_mutex;
std::map<fs::path, std::string> pending;  // by absolute, normal path

fs::path pending_key(const fs::path& path) {
    std::error_code ec;
    return fs::absolute(path, ec).lexically_normal();
}

// Whether following the link (described by link_info) would be refused by the kernel's
// protected_symlinks: a link in a sticky world-writable folder, owned by someone other than
// the follower and the folder's owner.
bool foreign_link_in_sticky_folder(const fs::path& link, const struct stat& link_info) {
    struct stat dir {};
    const fs::path parent = link.has_parent_path() ? link.parent_path() : fs::path(".");
    if (::stat(parent.c_str(), &dir) != 0) return true;
    const bool sticky_shared = (dir.st_mode & S_ISVTX) != 0 && (dir.st_mode & S_IWOTH) != 0;
    return sticky_shared && link_info.st_uid != ::geteuid() && link_info.st_uid != dir.st_uid;
}

// A temporary file holding the bytes, flushed, under a name beside the target; or why not.
struct Staged {
    std::string temp;
    const char* what = "";
    int err = 0;
    bool unsupported = false;  // the file system has no unnamed files: use a named one
};

Staged fill(int fd, std::span<const std::uint8_t> bytes, mode_t mode) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return {"", "cannot write", errno};
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, mode) != 0) return {"", "cannot set permissions of", errno};
    if (::fsync(fd) != 0) return {"", "cannot flush", errno};
    return {};
}

// The bytes go to an unnamed file, which gets its temporary name only once complete, just
// before the rename: a writer killed at any other moment leaves nothing behind.
Staged stage_unnamed(const fs::path& dir, const std::string& prefix,
                     std::span<const std::uint8_t> bytes, mode_t mode) {
    static std::atomic<unsigned> counter{0};
    UniqueFd fd(::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (fd.get() < 0) return {"", "", errno, true};
    if (Staged filled = fill(fd.get(), bytes, mode); filled.err != 0) return filled;
    const std::string self = "/proc/self/fd/" + std::to_string(fd.get());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = prefix + std::to_string(counter++);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return {temp};
        if (errno != EEXIST) break;
    }
    return {"", "", errno, true};
}

Staged stage_named(const std::string& prefix, std::span<const std::uint8_t> bytes, mode_t mode) {
    std::string temp = prefix + "XXXXXX";
    UniqueFd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) return {"", "cannot create a temporary file for", errno};
    Staged staged = fill(fd.get(), bytes, mode);
    if (staged.err == 0 && ::close(fd.release()) != 0) staged = {"", "cannot close", errno};
    if (staged.err != 0) {
        ::unlink(temp.c_str());
        return staged;
    }
    return {temp};
}

}  // namespace

Status check_folder(const fs::path& dir, const std::string& name, FolderUse use) {
    std::error_code ec;
    const fs::file_status status = fs::status(dir, ec);
    if (!fs::exists(status)) {
        if (ec && ec != std::errc::no_such_file_or_directory)
            return Error{ErrorCode::kInvalidData, name + " cannot be reached: " + ec.message(),
                         ec.value()};
        return Error{ErrorCode::kNotFound, name + " does not exist", ENOENT};
    }
    if (!fs::is_directory(status))
        return Error{ErrorCode::kInvalidData, dir.string() + " is not a folder"};
    const bool write = use == FolderUse::kWrite;
    if (::access(dir.c_str(), write ? W_OK | X_OK : R_OK | X_OK) != 0) {
        const int err = errno;
        return Error{
            ErrorCode::kIo,
            name + (write ? " cannot be written: " : " cannot be read: ") + std::strerror(err),
            err};
    }
    return Status::ok();
}

Error io_error(const std::string& what, const fs::path& path, int err) {
    return Error{err == ENOENT ? ErrorCode::kNotFound : ErrorCode::kIo,
                 what + " " + path.string() + ": " + std::strerror(err), err};
}

Result<fs::path> write_target(const fs::path& path) {
    fs::path target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
        if (foreign_link_in_sticky_folder(target, info)) {
            return Error{ErrorCode::kPermission,
                         "will not write through " + target.string() +
                             ": a link another user made in a shared folder"};
        }
        std::error_code ec;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) return io_error("cannot follow the link", path, ec.value());
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return io_error("cannot follow the link", path, ELOOP);
}

void set_pending_contents(const std::vector<std::pair<fs::path, std::string>>& files) {
    const std::lock_guard hold(pending_mutex);
    for (const auto& [path, bytes] : files) pending[pending_key(path)] = bytes;
}

void clear_pending_contents() {
    const std::lock_guard hold(pending_mutex);
    pending.clear();
}

Result<std::vector<std::uint8_t>> read_file(const fs::path& path, std::size_t max_size) {
    {
        const std::lock_guard hold(pending_mutex);
        if (!pending.empty()) {
            if (const auto it = pending.find(pending_key(path)); it != pending.end()) {
                if (it->second.size() > max_size) {
                    return Error{ErrorCode::kInvalidData, path.string() + " is larger than " +
                                                              std::to_string(max_size) + " bytes"};
                }
                return std::vector<std::uint8_t>(it->second.begin(), it->second.end());
            }
        }
    }
    // O_NONBLOCK: a FIFO or a device in the file's place must not hang the open.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) return io_error("cannot open", path, errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return io_error("cannot inspect", path, errno);
    if (!S_ISREG(info.st_mode)) {
        return Error{ErrorCode::kInvalidData, path.string() + " is not a regular file"};
    }
    if (static_cast<std::uintmax_t>(info.st_size) > max_size) {
        return Error{ErrorCode::kInvalidData,
                     path.string() + " is larger than " + std::to_string(max_size) + " bytes"};
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    std::uint8_t buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return io_error("cannot read", path, errno);
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > max_size) {
            return Error{ErrorCode::kInvalidData, path.string() + " grew while being read"};
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

Status write_file_atomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    Result<fs::path> resolved = write_target(path);
    if (!resolved) return resolved.error();
    const fs::path& target = *resolved;
    // Keep the permissions of the file being replaced; a new file gets the usual 0644. The
    // final name is looked at without following it: a link there now was not there above.
    struct stat old {};
    mode_t mode = 0644;
    if (UniqueFd final_name(::open(target.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        final_name.get() >= 0) {
        if (::fstat(final_name.get(), &old) == 0) {
            if (S_ISLNK(old.st_mode)) return io_error("will not write through", path, ELOOP);
            mode = old.st_mode & 07777;
        }
    }
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // A writer killed between naming its temporary and the rename left it here, perhaps
    // outside any folder the program cleans at start (an exported file's): the next write of
    // the same file takes it away.
    remove_stale_temp_files(dir, target.filename().string());
    const std::string prefix = (dir / ("." + target.filename().string())).string() +
                               std::string(kTempMark) + std::to_string(::getpid()) + "-";

    Staged staged = stage_unnamed(dir, prefix, bytes, mode);
    if (staged.unsupported) staged = stage_named(prefix, bytes, mode);
    if (staged.temp.empty()) return io_error(staged.what, path, staged.err);
    if (::rename(staged.temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(staged.temp.c_str());
        return io_error("cannot replace", path, err);
    }
    file_replaced();
    return Status::ok();
}

Status write_file_atomically(const fs::path& path, std::string_view text) {
    return write_file_atomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

bool is_marked_temp_name(std::string_view file_name) {
    return file_name.find(kTempMark) != std::string_view::npos;
}

fs::path marked_temp_name(const fs::path& target, std::string_view tag) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    return dir / ("." + target.filename().string() + std::string(kTempMark) +
                  std::to_string(::getpid()) + "-" + std::string(tag));
}

int remove_stale_temp_files(const fs::path& dir, std::string_view file_name) {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::size_t mark = name.rfind(kTempMark);
        if (name.front() != '.' || mark == std::string::npos || mark < 2) continue;
        if (!file_name.empty() && std::string_view(name).substr(1, mark - 1) != file_name) continue;
        const char* digits = name.data() + mark + kTempMark.size();
        pid_t writer = 0;
        const auto [after, parsed] = std::from_chars(digits, name.data() + name.size(), writer);
        if (parsed != std::errc() || *after != '-' || writer <= 0 || writer == ::getpid()) continue;
        if (::kill(writer, 0) == 0 || errno != ESRCH) continue;  // still saving
        struct stat info {};
        // Only this user's: another's leftover in a shared folder is theirs to clear.
        if (::lstat(it->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && ::unlink(it->path().c_str()) == 0)
            ++removed;
    }
    return removed;
}

}  // namespace p330
