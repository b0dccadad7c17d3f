#pragma once
// Several files of the data folder replaced as one change: their new bytes go first into a
// journal file, written atomically and made durable, then each file is replaced, then the
// journal goes. A writer stopped before the journal is durable changed nothing; once it is,
// the change is committed: a writer that cannot replace the files (a full disk) or is killed
// leaves the journal, which the next holder of the folder's lock finishes, and readers
// meanwhile read the change. Chosen over ordering the writes with one file as commit point
// because a change can touch up to eight files (a language change), and each must match the
// others. Every entry carries a checksum and passes the checks of its file's format before
// any is written; a journal that cannot be read is set aside under a name the user is told.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/result.h"

namespace p330 {

inline constexpr char kJournalName[] = ".p330-journal";

using FileWrites = std::vector<std::pair<std::filesystem::path, std::string>>;

// Every path must lie in dir. One file is simply replaced atomically. Succeeds once the
// change is committed, even when its files are left for the next lock holder to complete:
// take_journal_notice() then says so.
Status write_files_together(const std::filesystem::path& dir, const FileWrites& writes);
// Completes the change a killed writer left in dir's journal, if any. Call under the lock.
// A reader (`reading`) that cannot complete it reads the journal's files instead until
// clear_pending_contents(); a journal that cannot be read is set aside.
Status finish_interrupted_writes(const std::filesystem::path& dir, bool reading = false);

// What the user must be told about the journal since the last call (a change committed but
// not yet completed, a journal set aside), empty when nothing; clears it.
std::string take_journal_notice();

// The checks of the files' formats a journal's entries pass before any is written (its size,
// that it parses); given by the layer that knows the formats. Names are checked here.
using JournalEntryCheck = Status (*)(const std::filesystem::path& file, std::string_view bytes);
void set_journal_entry_check(JournalEntryCheck check);

}  // namespace p330
