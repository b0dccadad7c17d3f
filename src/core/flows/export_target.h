#pragma once
// Checks on a file the user names for the program to write (an exported profile, a settings
// text, a trace): it must not replace one of the data folder's own files, however it is
// reached, nor a device or pipe standing at that name.

#include <filesystem>

#include "core/flows/profile_files.h"
#include "core/result.h"

namespace p330 {

// Refuses target when it is, or links to, a profile, the profile list, the macros, the
// defaults, the folder's lock or journal, or a temporary file of a save in progress.
Status refuse_data_folder_file(const DataFolder& folder, const std::filesystem::path& target);

// Refuses an existing target that is not a regular file: a write replaces it by rename.
Status refuse_special_file(const std::filesystem::path& target);

// Refuses a target whose folder is missing, is not a folder or cannot be written into, so
// that a write of several files fails before the first rather than half-way.
Status refuse_unwritable_folder(const std::filesystem::path& target);

// All three checks, for a file the program writes whole.
Status check_export_target(const DataFolder& folder, const std::filesystem::path& target);

}  // namespace p330
