#pragma once
// Every command of p330ctl: its synopsis, its help, the options it takes and its handler.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/context.h"

namespace p330::cli {

enum CommandFlag : unsigned {
    kTakesProfile = 1,
    kTakesApply = 2,
    kTakesPointer = 4,
    kUsesDataFolder = 8,  // the folder must exist and be readable before the command runs
    kOnlyReads = 16,      // shares the folder's lock with other readers
};

struct CommandEntry {
    std::string_view name;
    std::string_view synopsis;  // after "p330ctl "
    std::string_view summary;   // one line for the overview
    std::string_view details;   // the rest of "p330ctl help NAME"
    int min_arguments;
    int max_arguments;  // -1: no limit
    std::string_view missing_text;
    unsigned flags;
    int (*run)(const Context&);
};

std::span<const CommandEntry> command_table();
const CommandEntry* find_command(std::string_view name);
// Whether the command, with these arguments, only reads the data folder.
bool only_reads_data_folder(const CommandEntry& entry, const std::vector<std::string>& arguments);

// The overview of --help, and the help of one command.
std::string usage_text();
std::string command_help(const CommandEntry& entry);

}  // namespace p330::cli
