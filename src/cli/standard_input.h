#pragma once
// Standard input for the commands that read '-' (import-text, macro import-items), read whole
// and held to the limit of the file it stands for before the data folder is locked: a slow
// or endless writer neither holds the lock nor fills memory.

#include <optional>
#include <string>

#include "cli/options.h"
#include "core/result.h"

namespace p330::cli {

// Nothing when the command reads no standard input; an error when it holds too much.
Result<std::optional<std::string>> read_standard_input_for(const Options& options);

}  // namespace p330::cli
