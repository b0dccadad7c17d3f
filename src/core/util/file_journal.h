#pragma once
// Several files of the data folder replaced as one change: their new bytes go first into a
// journal file, written atomically, then each file is replaced, then the journal goes. A
// writer killed before the journal is in place changed nothing; one killed after it leaves a
// journal that the next writer (when it takes the folder's lock) finishes. Chosen over
// ordering the writes with one file as commit point because a change can touch up to eight
// files (a language change), and each must match the others.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/result.h"

namespace p330 {

inline constexpr char kJournalName[] = ".p330-journal";

using FileWrites = std::vector<std::pair<std::filesystem::path, std::string>>;

// Every path must lie in dir. One file is simply replaced atomically.
Status write_files_together(const std::filesystem::path& dir, const FileWrites& writes);
// Completes the change a killed writer left in dir's journal, if any. Call under the lock.
Status finish_interrupted_writes(const std::filesystem::path& dir);

}  // namespace p330
