#pragma once
// Where p330ctl's files are: the data folder every command uses, and `p330ctl paths`.

#include <cstdio>

#include "cli/options.h"
#include "core/flows/profile_files.h"
#include "core/result.h"

namespace p330::cli {

// --data-dir as given, or the user's folder, which with `seed` first gets what it lacks of the
// shipped defaults (a problem doing so is printed, and the command goes on). A --data-dir
// that is missing or empty is made from them; one holding files but no profile list is
// refused.
Result<DataFolder> prepare_data_folder(const Options& options, bool seed, std::FILE* err);

}  // namespace p330::cli
