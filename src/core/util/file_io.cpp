#include "core/util/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace p330 {
namespace {

Error io_error(const std::string& what, const std::filesystem::path& path, int err) {
    return Error{err == ENOENT ? ErrorCode::kNotFound : ErrorCode::kIo,
                 what + " " + path.string() + ": " + std::strerror(err), err};
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

}  // namespace

Result<std::vector<std::uint8_t>> read_file(const std::filesystem::path& path,
                                            std::size_t max_size) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
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

Status write_file_atomically(const std::filesystem::path& path,
                             std::span<const std::uint8_t> bytes) {
    std::string temp = path.string() + ".XXXXXX";
    FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) return io_error("cannot create a temporary file for", path, errno);

    auto fail = [&](const char* what) {
        const int err = errno;
        ::unlink(temp.c_str());
        return Status(io_error(what, path, err));
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("cannot write");
        }
        done += static_cast<std::size_t>(n);
    }
    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (::fchmod(fd.get(), mode) != 0) return fail("cannot set permissions of");
    if (::fsync(fd.get()) != 0) return fail("cannot flush");
    if (::close(fd.release()) != 0) return fail("cannot close");
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail("cannot replace");
    return Status::ok();
}

Status write_file_atomically(const std::filesystem::path& path, std::string_view text) {
    return write_file_atomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace p330
