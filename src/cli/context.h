#pragma once
// What every command handler gets: the options, where to print, the data folder and the
// trace file opened before anything is sent.

#include <cstdio>
#include <optional>
#include <string>

#include "cli/options.h"
#include "core/flows/profile_files.h"
#include "core/util/folder_lock.h"

namespace p330::cli {

struct Context {
    const Options& options;
    std::FILE* out;
    std::FILE* err;
    DataFolder folder;
    std::FILE* trace = nullptr;  // null without --trace
    // Held from before the command reads the data folder until it has written it; let go
    // before the mouse is opened, which can take seconds.
    mutable std::optional<FolderLock> folder_lock{};
    // What a command reading '-' gets, read before the lock is taken (standard_input.h).
    std::optional<std::string> standard_input{};
};

// Prints "p330ctl: MESSAGE" on the error stream and returns code.
int fail(const Context& c, int code, const std::string& message);
// The exit status of a refused or failed write, one rule for every command: 2 when the rules
// refuse it (a data folder's own file, past a file's limit), 4 when a named file or folder is
// missing or not what it should be (a folder named as a file), 1 when writing failed.
int exit_for_write(const Error& error);

// Exit 4 with a message saying so when the data folder is missing or cannot be read.
int check_data_folder(const Context& c);

}  // namespace p330::cli
