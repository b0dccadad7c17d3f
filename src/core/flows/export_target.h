#pragma once
// Checks on a file the user names for the program to write (an exported profile, a settings
// text, a trace, a screenshot): it must not replace one of the data folder's own files,
// however it is reached (a symbolic or hard link, a bind mount, a second path), nor a device
// or pipe standing at that name. Files are told apart by identity (device and inode), not by
// the path strings that reach them.

#include <filesystem>

#include "core/flows/profile_files.h"
#include "core/result.h"
#include "core/util/unique_fd.h"

namespace p330 {

// Refuses target when it is, or links to, a profile, the profile list, the macros, the
// defaults, the folder's lock or journal, or a temporary file of a save in progress; and a
// link another user made in a shared sticky folder.
Status refuse_data_folder_file(const DataFolder& folder, const std::filesystem::path& target);

// Refuses an existing target that is not a regular file: a write replaces it by rename.
Status refuse_special_file(const std::filesystem::path& target);

// Refuses a target whose folder is missing, is not a folder or cannot be written into, so
// that a write of several files fails before the first rather than half-way.
Status refuse_unwritable_folder(const std::filesystem::path& target);

// All three checks, for a file the program writes whole.
Status check_export_target(const DataFolder& folder, const std::filesystem::path& target);

// Opens target for a stream written in place (a trace), emptied: the final name is opened
// without following a link, and the opened file is checked by identity against the folder's
// own files before a byte of it changes. A pipe or a terminal is written as it is.
Result<UniqueFd> open_stream_target(const DataFolder* folder, const std::filesystem::path& target);

}  // namespace p330
