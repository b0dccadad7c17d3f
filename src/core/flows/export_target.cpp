#include "core/flows/export_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/formats/ini_document.h"
#include "core/util/file_io.h"
#include "core/util/file_journal.h"
#include "core/util/folder_lock.h"

namespace p330 {
namespace fs = std::filesystem;
namespace {

struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const Identity&) const = default;
};

std::optional<Identity> identity_of(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return Identity{info.st_dev, info.st_ino};
}

bool is_own_name(const DataFolder& folder, const std::string& name) {
    if (is_marked_temp_name(name)) return true;
    std::vector<std::string> own = {"str.ini", "record.ini", "config.bin", kFolderLockName,
                                    kJournalName};
    for (int i = 0; i < kMaxProfiles; ++i) {
        own.push_back(folder.image(i).filename().string());
        own.push_back(folder.ini(i).filename().string());
    }
    return std::any_of(own.begin(), own.end(),
                       [&](const std::string& o) { return ini_names_equal(o, name); });
}

// The folders whose own files are never an export's target: the data folder and the defaults.
std::vector<Identity> folder_identities(const DataFolder& folder) {
    std::vector<Identity> ids;
    for (const fs::path& dir : {folder.dir, folder.defaults_dir()}) {
        if (const auto id = identity_of(dir)) ids.push_back(*id);
    }
    return ids;
}

// The folder's own files as they are on disk now, by identity: a hard link elsewhere to one
// of them is the same file.
std::vector<Identity> own_file_identities(const DataFolder& folder) {
    std::vector<Identity> ids;
    for (const fs::path& dir : {folder.dir, folder.defaults_dir()}) {
        std::error_code ec;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            struct stat info {};
            if (is_own_name(folder, it->path().filename().string()) &&
                ::lstat(it->path().c_str(), &info) == 0 && !S_ISLNK(info.st_mode))
                ids.push_back({info.st_dev, info.st_ino});
        }
    }
    return ids;
}

Error own_file_error(const fs::path& target, const fs::path& file) {
    return Error{ErrorCode::kInvalidArgument, target.string() +
                                                  " is, or leads to, one of the data folder's "
                                                  "own files (" +
                                                  file.string() + ")"};
}

// Refuses the final name end (every link followed) when its folder is the data folder and
// its name one of the folder's own, and the opened file fd when it is one of those files.
Status refuse_own_identity(const DataFolder& folder, const fs::path& target, const fs::path& end,
                           int fd) {
    const fs::path parent = end.has_parent_path() ? end.parent_path() : fs::path(".");
    const std::optional<Identity> parent_id = identity_of(parent);
    const std::vector<Identity> folders = folder_identities(folder);
    if (parent_id && std::find(folders.begin(), folders.end(), *parent_id) != folders.end() &&
        is_own_name(folder, end.filename().string()))
        return own_file_error(target, end);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) return Status::ok();
    const Identity opened{info.st_dev, info.st_ino};
    const std::vector<Identity> own = own_file_identities(folder);
    if (std::find(own.begin(), own.end(), opened) != own.end()) return own_file_error(target, end);
    return Status::ok();
}

}  // namespace

Status refuse_data_folder_file(const DataFolder& folder, const fs::path& target) {
    const Result<fs::path> end = write_target(target);
    if (!end) return end.status();
    const UniqueFd fd(::open(end->c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    return refuse_own_identity(folder, target, *end, fd.get());
}

Status refuse_special_file(const fs::path& target) {
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (ec || !fs::exists(status) || fs::is_regular_file(status)) return Status::ok();
    return Error{ErrorCode::kInvalidData, target.string() + " is not a regular file"};
}

Status refuse_unwritable_folder(const fs::path& target) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    return check_folder(dir, "the folder " + dir.string(), FolderUse::kWrite);
}

Status check_export_target(const DataFolder& folder, const fs::path& target) {
    if (Status s = refuse_data_folder_file(folder, target); !s) return s;
    if (Status s = refuse_special_file(target); !s) return s;
    return refuse_unwritable_folder(target);
}

Result<UniqueFd> open_stream_target(const DataFolder* folder, const fs::path& target) {
    const Result<fs::path> end = write_target(target);
    if (!end) return end.error();
    // The name first, so that a missing own file of the folder is never created by the open.
    if (folder != nullptr) {
        if (Status s = refuse_data_folder_file(*folder, target); !s) return s.error();
    }
    // Not emptied on open (no O_TRUNC): the file is known to be no data file first. O_NONBLOCK
    // keeps a pipe without a reader from hanging the open.
    UniqueFd fd(::open(end->c_str(),
                       O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644));
    if (fd.get() < 0) return io_error("cannot write", target, errno);
    if (folder != nullptr) {
        if (Status s = refuse_own_identity(*folder, target, *end, fd.get()); !s) return s.error();
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return io_error("cannot inspect", target, errno);
    if (S_ISREG(info.st_mode) && ::ftruncate(fd.get(), 0) != 0)
        return io_error("cannot empty", target, errno);
    if (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode) && !S_ISCHR(info.st_mode))
        return Error{ErrorCode::kInvalidData, target.string() + " is not a regular file"};
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags >= 0) (void)::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

}  // namespace p330
