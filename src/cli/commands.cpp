#include "cli/commands.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/command_table.h"
#include "cli/json_writer.h"
#include "cli/paths_command.h"
#include "cli/standard_input.h"
#include "core/flows/export_target.h"
#include "core/util/file_io.h"
#include "core/util/file_journal.h"

namespace p330::cli {

int exit_for_write(const Error& error) {
    switch (error.code) {
        case ErrorCode::kInvalidArgument: return kExitUsage;
        case ErrorCode::kNotFound:
        case ErrorCode::kInvalidData: return kExitBadInput;
        default: return kExitFailed;
    }
}

int fail(const Context& c, int code, const std::string& message) {
    // Every line carries the prefix, so that a message of several lines still reads as ours.
    std::size_t start = 0;
    while (start < message.size() || start == 0) {
        std::size_t end = message.find('\n', start);
        if (end == std::string::npos) end = message.size();
        std::string line = message.substr(start, end - start);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        if (!line.empty() || start == 0) std::fprintf(c.err, "p330ctl: %s\n", line.c_str());
        start = end + 1;
    }
    // A script reading --json output gets the failure as a document too.
    if (c.options.json) {
        std::fprintf(c.out, "%s\n",
                     json_document()
                         .field("error", JsonList('{')
                                             .field("exit_status", json_number(code))
                                             .field("message", json_string(message))
                                             .str())
                         .str()
                         .c_str());
    }
    return code;
}

int check_data_folder(const Context& c) {
    const auto& dir = c.folder.dir;
    const Status usable = check_folder(dir, "the data folder " + dir.string(), FolderUse::kRead);
    if (usable) return kExitOk;
    const std::string& message = usable.error().message;
    // Named as the data folder even where the general wording names only the path.
    return fail(c, kExitBadInput,
                message.starts_with("the data folder") ? message : "the data folder " + message);
}

namespace {

// What the folder's journal left to say: a change committed but completed later, a journal
// set aside. Said whatever the command's outcome.
void print_journal_notice(const Context& c) {
    const std::string notice = take_journal_notice();
    std::size_t start = 0;
    while (start < notice.size()) {
        std::size_t end = notice.find('\n', start);
        if (end == std::string::npos) end = notice.size();
        std::fprintf(c.err, "p330ctl: note: %s\n", notice.substr(start, end - start).c_str());
        start = end + 1;
    }
}

}  // namespace

int run_command(const Options& options, std::FILE* out, std::FILE* err) {
    Context c{options, out, err, {}};
    const CommandEntry* entry = find_command(options.command);
    if (entry == nullptr) return fail(c, kExitUsage, "unknown command " + options.command);
    Result<std::optional<std::string>> input = read_standard_input_for(options);
    if (!input) return fail(c, kExitBadInput, input.error().message);
    c.standard_input = std::move(*input);
    const bool reads_folder = (entry->flags & kUsesDataFolder) &&
                              !(options.command == "apply" && !options.arguments.empty());
    // The user's folder gets what it lacks of the shipped defaults before a command reads it.
    Result<DataFolder> folder = prepare_data_folder(options, reads_folder, err);
    if (folder) c.folder = *folder;
    if (reads_folder) {
        if (!folder) return fail(c, kExitBadInput, folder.error().message);
        if (int code = check_data_folder(c); code != kExitOk) return code;
        // Readers share the folder: one never waits for another, only for a writer.
        Result<FolderLock> lock = only_reads_data_folder(*entry, options.arguments)
                                      ? FolderLock::acquire_for_reading(c.folder.dir)
                                      : FolderLock::acquire(c.folder.dir);
        print_journal_notice(c);
        if (!lock) {
            const ErrorCode code = lock.error().code;
            return fail(c,
                        code == ErrorCode::kFolderBusy || code == ErrorCode::kIo ? kExitFailed
                                                                                 : kExitBadInput,
                        lock.error().message);
        }
        c.folder_lock = std::move(*lock);
    }
    // The trace file is opened before anything is read, written or sent, so that a file
    // that cannot be written stops the command before it has any effect.
    bool close_trace = false;
    if (!options.trace_file.empty()) {
        if (options.trace_file == "-") {
            c.trace = out;
        } else {
            Result<UniqueFd> opened =
                open_stream_target(folder ? &c.folder : nullptr, options.trace_file);
            if (!opened) {
                const Error& e = opened.error();
                return fail(c, e.code == ErrorCode::kInvalidArgument ? kExitUsage : kExitBadInput,
                            e.code == ErrorCode::kInvalidArgument
                                ? e.message + ": choose another trace file"
                                : "cannot write the trace file: " + e.message);
            }
            c.trace = ::fdopen(opened->get(), "w");
            if (c.trace == nullptr) {
                return fail(c, kExitBadInput,
                            "cannot write the trace file " + options.trace_file + ": " +
                                std::strerror(errno));
            }
            (void)opened->release();
            close_trace = true;
        }
    }
    const int code = entry->run(c);
    print_journal_notice(c);
    if (close_trace) std::fclose(c.trace);
    return code;
}

}  // namespace p330::cli
