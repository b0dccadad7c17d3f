#pragma once
// One profile of the data folder for 'get', 'set', 'reset', the macro and profile commands:
// the core's reader and writer, with failures printed and turned into exit codes.

#include <optional>
#include <string>

#include "cli/context.h"
#include "core/flows/profile_edit.h"

namespace p330::cli {

// --profile N, or the active profile of the main INI. Prints why not and returns the exit
// code when the profile cannot be read.
int load_profile_edit(const Context& c, ProfileEdit& edit);
int load_profile_edit(const Context& c, ProfileEdit& edit, std::optional<int> index);
int save_profile_edit(const Context& c, ProfileEdit& edit);
// Says on the error stream which fields of a profile image were brought into range.
void tell_adjusted(const Context& c, const std::string& adjusted);
// The language of the active profile, which the program as a whole speaks.
Language active_language(const Context& c);

}  // namespace p330::cli
