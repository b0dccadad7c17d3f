#include "core/util/file_journal.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

#include "core/util/file_io.h"

namespace p330 {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kMagic = "p330 journal 1\n";
// Every file an import brings over, and its .bak copy, at the INI limit.
constexpr std::size_t kMaxJournalSize = std::size_t{64} * 1024 * 1024;

// Each entry: the file name, "\n", the byte count in decimal, "\n", the bytes.
std::string encode(const FileWrites& writes) {
    std::string out(kMagic);
    for (const auto& [path, bytes] : writes) {
        out += path.filename().string() + "\n" + std::to_string(bytes.size()) + "\n";
        out += bytes;
    }
    return out;
}

bool decode(std::string_view text, const fs::path& dir, FileWrites& writes) {
    if (!text.starts_with(kMagic)) return false;
    text.remove_prefix(kMagic.size());
    while (!text.empty()) {
        const auto name_end = text.find('\n');
        if (name_end == std::string_view::npos || name_end == 0) return false;
        const std::string name(text.substr(0, name_end));
        if (name.find('/') != std::string::npos || name == "." || name == "..") return false;
        text.remove_prefix(name_end + 1);
        std::size_t size = 0;
        const auto [after, err] = std::from_chars(text.data(), text.data() + text.size(), size);
        if (err != std::errc() || after == text.data() + text.size() || *after != '\n')
            return false;
        text.remove_prefix(static_cast<std::size_t>(after - text.data()) + 1);
        if (size > text.size()) return false;
        writes.emplace_back(dir / name, std::string(text.substr(0, size)));
        text.remove_prefix(size);
    }
    return true;
}

Status replace_all_files(const FileWrites& writes) {
    for (const auto& [path, bytes] : writes) {
        if (Status s = write_file_atomically(path, bytes); !s) return s;
    }
    return Status::ok();
}

// A first write refused for want of permission: nothing was changed, and the cause is the
// folder, not the file (the journal, say) that happened to be written first.
Status folder_named(const fs::path& dir, Status first_write) {
    const int e = first_write ? 0 : first_write.error().system_code;
    if (e != EACCES && e != EPERM && e != EROFS) return first_write;
    return Error{ErrorCode::kPermission,
                 "the data folder " + dir.string() + " cannot be written: " + std::strerror(e) +
                     "; nothing was changed",
                 e};
}

}  // namespace

Status write_files_together(const fs::path& dir, const FileWrites& writes) {
    for (const auto& write : writes) {
        if (write.first.parent_path() != dir) {
            return Error{ErrorCode::kInvalidArgument,
                         write.first.string() + " is not in the data folder " + dir.string()};
        }
    }
    if (writes.size() <= 1) return folder_named(dir, replace_all_files(writes));
    const fs::path journal = dir / kJournalName;
    if (Status s = write_file_atomically(journal, encode(writes)); !s)
        return folder_named(dir, std::move(s));
    if (Status s = replace_all_files(writes); !s) return s;  // the journal finishes it later
    if (::unlink(journal.c_str()) != 0 && errno != ENOENT) {
        return Error{ErrorCode::kIo,
                     "cannot remove " + journal.string() + ": " + std::strerror(errno), errno};
    }
    return Status::ok();
}

Status finish_interrupted_writes(const fs::path& dir) {
    const fs::path journal = dir / kJournalName;
    Result<std::vector<std::uint8_t>> bytes = read_file(journal, kMaxJournalSize);
    if (!bytes) return bytes.error().code == ErrorCode::kNotFound ? Status::ok() : bytes.status();
    FileWrites writes;
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    // The journal is put in place whole by rename: one that does not decode was never ours.
    if (decode(text, dir, writes)) {
        if (Status s = replace_all_files(writes); !s) return s;
    }
    if (::unlink(journal.c_str()) != 0 && errno != ENOENT) {
        return Error{ErrorCode::kIo,
                     "cannot remove " + journal.string() + ": " + std::strerror(errno), errno};
    }
    return Status::ok();
}

}  // namespace p330
