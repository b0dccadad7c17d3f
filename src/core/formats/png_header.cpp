#include "core/formats/png_header.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace p330 {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr std::size_t kHeaderBytes = 24;  // signature, IHDR length and type, width, height
constexpr std::array<std::uint8_t, 12> kEnd{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xae, 0x42, 0x60, 0x82};
constexpr std::uint32_t kLargestDimension = 0x7fffffff;  // the format's own limit

std::uint32_t big_endian(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

Error refused(const std::filesystem::path& path, const std::string& why) {
    return Error{ErrorCode::kInvalidData, path.string() + ": " + why};
}

}  // namespace

Result<PixelSize> read_png_size(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        return Error{error == ENOENT ? ErrorCode::kNotFound : ErrorCode::kIo,
                     "cannot open " + path.string() + ": " + std::strerror(error), error};
    }
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    std::array<std::uint8_t, kHeaderBytes> header{};
    std::size_t got = 0;
    while (regular && got < header.size()) {
        const ssize_t n = ::read(fd, header.data() + got, header.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    std::array<std::uint8_t, kEnd.size()> end{};
    const bool ended = regular && info.st_size >= static_cast<off_t>(header.size() + end.size()) &&
                       ::pread(fd, end.data(), end.size(), info.st_size - off_t{end.size()}) ==
                           static_cast<ssize_t>(end.size()) &&
                       end == kEnd;
    ::close(fd);
    if (!regular) return refused(path, "not a regular file");
    if (got < header.size() ||
        std::memcmp(header.data(), kSignature.data(), kSignature.size()) != 0)
        return refused(path, "not a PNG image");
    if (big_endian(&header[8]) != 13 || std::memcmp(&header[12], "IHDR", 4) != 0)
        return refused(path, "a PNG image without its header");
    if (!ended) return refused(path, "a PNG image cut off before its end");
    const PixelSize size{big_endian(&header[16]), big_endian(&header[20])};
    if (size.width == 0 || size.height == 0 || size.width > kLargestDimension ||
        size.height > kLargestDimension)
        return refused(path, "a PNG image of impossible size");
    return size;
}

}  // namespace p330
