#include "core/flows/export_target.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "core/formats/ini_document.h"
#include "core/util/file_io.h"
#include "core/util/file_journal.h"
#include "core/util/folder_lock.h"

namespace p330 {
namespace fs = std::filesystem;
namespace {

// The name a write to path lands on, every link followed: a dangling link still names the
// file it would create.
fs::path resolved(const fs::path& path) {
    const Result<fs::path> end = write_target(path);
    const fs::path& at = end ? *end : path;
    std::error_code ec;
    const fs::path full = fs::weakly_canonical(at, ec);
    return ec ? fs::absolute(at, ec).lexically_normal() : full;
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

}  // namespace

Status refuse_data_folder_file(const DataFolder& folder, const fs::path& target) {
    const fs::path file = resolved(target);
    for (const fs::path& dir : {folder.dir, folder.defaults_dir()}) {
        if (file.parent_path() == resolved(dir) && is_own_name(folder, file.filename().string())) {
            return Error{ErrorCode::kInvalidArgument,
                         target.string() +
                             " is, or leads to, one of the data folder's own files (" +
                             file.string() + ")"};
        }
    }
    return Status::ok();
}

Status refuse_special_file(const fs::path& target) {
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (ec || !fs::exists(status) || fs::is_regular_file(status)) return Status::ok();
    return Error{ErrorCode::kInvalidData, target.string() + " is not a regular file"};
}

Status refuse_unwritable_folder(const fs::path& target) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ec;
    const fs::file_status status = fs::status(dir, ec);
    if (!fs::exists(status))
        return Error{ErrorCode::kNotFound, "the folder " + dir.string() + " does not exist"};
    if (!fs::is_directory(status))
        return Error{ErrorCode::kInvalidData, dir.string() + " is not a folder"};
    if (::access(dir.c_str(), W_OK | X_OK) != 0) {
        const int code = errno;
        return Error{ErrorCode::kIo,
                     "the folder " + dir.string() + " cannot be written: " + std::strerror(code),
                     code};
    }
    return Status::ok();
}

Status check_export_target(const DataFolder& folder, const fs::path& target) {
    if (Status s = refuse_data_folder_file(folder, target); !s) return s;
    if (Status s = refuse_special_file(target); !s) return s;
    return refuse_unwritable_folder(target);
}

}  // namespace p330
