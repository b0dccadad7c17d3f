#pragma once
// Where p330ctl's files are: `p330ctl paths`, and the data folder every other command uses.

#include <cstdio>

#include "cli/options.h"
#include "core/config/profile_files.h"
#include "core/result.h"

namespace p330::cli {

// Prints the user's folder, the shipped defaults and the skin folders.
int cmd_paths(const Options& options, std::FILE* out, std::FILE* err);

// The data folder of a command: --data-dir as given, or the user's folder, first given what it
// lacks of the shipped defaults (a problem doing so is printed, and the command goes on).
Result<DataFolder> prepare_data_folder(const Options& options, std::FILE* err);

}  // namespace p330::cli
