#include "core/util/file_journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <set>

#include "core/util/file_io.h"
#include "core/util/unique_fd.h"

namespace p330 {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kMagic = "p330 journal 2\n";
// Every file an import brings over, and its .bak copy, at the INI limit.
constexpr std::size_t kMaxJournalSize = std::size_t{64} * 1024 * 1024;

std::atomic<JournalEntryCheck> entry_check{nullptr};
std::mutex notice_mutex;
std::string notice;

void add_notice(const std::string& text) {
    const std::lock_guard hold(notice_mutex);
    if (!notice.empty()) notice += "\n";
    notice += text;
}

// CRC-32 (IEEE), table built once.
std::uint32_t crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1U) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFU;
    for (const char byte : bytes)
        c = table[(c ^ static_cast<std::uint8_t>(byte)) & 0xFFU] ^ (c >> 8);
    return c ^ 0xFFFFFFFFU;
}

// The names of the data folder's files a change writes: str.ini, strN.ini, config.bin,
// configN.bin, record.ini, each perhaps with .bak (the copies an import keeps).
bool is_data_file_name(std::string_view name) {
    if (name.ends_with(".bak")) name.remove_suffix(4);
    if (name == "record.ini") return true;
    for (const auto& [stem, ext] : {std::pair{"str", ".ini"}, std::pair{"config", ".bin"}}) {
        if (!name.starts_with(stem) || !name.ends_with(ext)) continue;
        const std::string_view middle =
            name.substr(std::strlen(stem), name.size() - std::strlen(stem) - std::strlen(ext));
        if (middle.empty() || (middle.size() == 1 && middle[0] >= '0' && middle[0] <= '9'))
            return true;
    }
    return false;
}

// Each entry: the file name, "\n", the byte count in decimal, "\n", the CRC-32 of the bytes
// in eight hex digits, "\n", the bytes.
std::string encode(const FileWrites& writes) {
    std::string out(kMagic);
    for (const auto& [path, bytes] : writes) {
        char crc[9];
        std::snprintf(crc, sizeof crc, "%08x", crc32(bytes));
        out += path.filename().string() + "\n" + std::to_string(bytes.size()) + "\n" + crc + "\n";
        out += bytes;
    }
    return out;
}

// One decimal or hex field ending in a line end, taken off the front of text.
template <typename T>
bool take_number(std::string_view& text, T& value, int base) {
    const auto [after, err] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (err != std::errc() || after == text.data() + text.size() || *after != '\n') return false;
    text.remove_prefix(static_cast<std::size_t>(after - text.data()) + 1);
    return true;
}

Status decode(std::string_view text, const fs::path& dir, FileWrites& writes) {
    const auto bad = [](const std::string& why) { return Error{ErrorCode::kInvalidData, why}; };
    if (!text.starts_with(kMagic)) return bad("it is not a journal this program writes");
    text.remove_prefix(kMagic.size());
    std::set<std::string> seen;
    while (!text.empty()) {
        const auto name_end = text.find('\n');
        if (name_end == std::string_view::npos) return bad("an entry is cut short");
        const std::string name(text.substr(0, name_end));
        if (!is_data_file_name(name) || !seen.insert(name).second)
            return bad("an entry names no data file, or one twice");
        text.remove_prefix(name_end + 1);
        std::size_t size = 0;
        std::uint32_t sum = 0;
        if (!take_number(text, size, 10) || !take_number(text, sum, 16) || size > text.size())
            return bad("the entry for " + name + " is cut short");
        const std::string_view bytes = text.substr(0, size);
        if (crc32(bytes) != sum) return bad("the entry for " + name + " fails its checksum");
        if (const JournalEntryCheck check = entry_check.load(); check != nullptr) {
            if (Status s = check(dir / name, bytes); !s)
                return bad("the entry for " + name + ": " + s.message());
        }
        writes.emplace_back(dir / name, std::string(bytes));
        text.remove_prefix(size);
    }
    if (writes.empty()) return bad("it holds no entry");
    return Status::ok();
}

Status replace_all_files(const FileWrites& writes) {
    for (const auto& [path, bytes] : writes) {
        if (Status s = write_file_atomically(path, bytes); !s) return s;
    }
    return Status::ok();
}

// Renames within dir reach the disk: the journal is durable, or its removal is.
Status sync_folder(const fs::path& dir) {
    const UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0) {
        const int err = errno;
        return Error{ErrorCode::kIo,
                     "cannot flush the folder " + dir.string() + ": " + std::strerror(err), err};
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

Status remove_journal(const fs::path& journal) {
    if (::unlink(journal.c_str()) != 0 && errno != ENOENT) {
        return Error{ErrorCode::kIo,
                     "cannot remove " + journal.string() + ": " + std::strerror(errno), errno};
    }
    return Status::ok();
}

// A journal that cannot be read goes out of the way, kept for the user to look at.
Status set_aside(const fs::path& journal, const std::string& why) {
    for (int n = 1; n < 1000; ++n) {
        const fs::path kept =
            journal.parent_path() / ("p330-journal-unreadable-" + std::to_string(n));
        std::error_code ec;
        if (fs::exists(fs::symlink_status(kept, ec))) continue;
        if (::rename(journal.c_str(), kept.c_str()) != 0) break;
        add_notice("an unfinished change in the data folder could not be read (" + why +
                   "): nothing of it was applied; it was set aside as " + kept.string());
        return Status::ok();
    }
    const int err = errno;
    return Error{ErrorCode::kIo,
                 "the data folder holds a journal that cannot be read (" + why +
                     ") nor set aside: " + std::strerror(err) + "; move " + journal.string() +
                     " away",
                 err};
}

}  // namespace

void set_journal_entry_check(JournalEntryCheck check) {
    entry_check.store(check);
}

std::string take_journal_notice() {
    const std::lock_guard hold(notice_mutex);
    return std::exchange(notice, {});
}

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
    // Not known to be durable: not committed, so taken back; nothing was changed.
    if (Status s = sync_folder(dir); !s) {
        (void)remove_journal(journal);
        return s;
    }
    // From here the change is committed: a failure now leaves it for the next lock holder.
    if (Status s = replace_all_files(writes); !s) {
        add_notice("the change is saved but not yet completed (" + s.message() +
                   "); the next p330 or p330ctl to use the data folder completes it");
        set_pending_contents(writes);  // this program, too, goes on with the change made
        return Status::ok();
    }
    if (!sync_folder(dir) || !remove_journal(journal)) {
        add_notice("the change is complete; its journal " + journal.string() +
                   " stays until the next p330 or p330ctl to use the data folder removes it");
    }
    return Status::ok();
}

Status finish_interrupted_writes(const fs::path& dir, bool reading) {
    const fs::path journal = dir / kJournalName;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(journal, ec))) {
        clear_pending_contents();  // another program completed it
        return Status::ok();
    }
    Result<std::vector<std::uint8_t>> bytes = read_file(journal, kMaxJournalSize);
    if (!bytes && bytes.error().code == ErrorCode::kNotFound) return Status::ok();
    if (!bytes && bytes.error().code != ErrorCode::kInvalidData) return bytes.status();
    FileWrites writes;
    Status decoded =
        bytes
            ? decode(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
                     dir, writes)
            : Status(bytes.error());
    // A journal is put in place whole by rename, after its entries were checked: one that
    // does not read back was never a change this program committed.
    if (!decoded) return set_aside(journal, decoded.message());
    if (Status s = replace_all_files(writes); !s) {
        if (!reading) {
            return Error{s.error().code,
                         "the data folder holds a saved change that cannot be completed yet (" +
                             s.message() + "); nothing else was changed, try again",
                         s.error().system_code};
        }
        set_pending_contents(writes);
        return Status::ok();
    }
    clear_pending_contents();
    if (Status s = sync_folder(dir); !s) return s;
    return remove_journal(journal);
}

}  // namespace p330
