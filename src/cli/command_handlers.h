#pragma once
// The handlers of the command table, one group per file.

#include "cli/context.h"

namespace p330::cli {

// device_commands.cpp
int cmd_devices(const Context& c);
int cmd_status(const Context& c);
int cmd_apply(const Context& c);
int cmd_show(const Context& c);
int cmd_watch(const Context& c);
// settings_commands.cpp
int cmd_get(const Context& c);
int cmd_set(const Context& c);
int cmd_reset(const Context& c);
// profile_commands.cpp
int cmd_profiles(const Context& c);
int cmd_profile(const Context& c);
// macro_commands.cpp
int cmd_macros(const Context& c);
int cmd_macro(const Context& c);
// text_commands.cpp
int cmd_export_text(const Context& c);
int cmd_import_text(const Context& c);

// import_windows_command.cpp
int cmd_import_windows(const Context& c);
// command_table.cpp
int cmd_help(const Context& c);
int cmd_complete(const Context& c);
// paths_command.cpp
int cmd_paths(const Context& c);

}  // namespace p330::cli
