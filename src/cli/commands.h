#pragma once

#include <cstdio>

#include "cli/options.h"

namespace p330::cli {

// Runs one parsed command; returns the process exit code.
int run_command(const Options& options, std::FILE* out, std::FILE* err);

}  // namespace p330::cli
