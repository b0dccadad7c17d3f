#pragma once
// Whole-file reads that refuse oversized and non-regular files without blocking on them, and
// writes that never leave a partial file: the bytes go to an unnamed file (or, where the file
// system has none, a marked temporary name) beside the target, are flushed, and replace it by
// rename. A symbolic link is written through: its target is replaced, the link stays; but a
// link in a sticky world-writable folder owned by neither the writer nor the folder's owner
// is refused, as the kernel's protected_symlinks does, and the final name is never followed.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/result.h"

namespace p330 {

Result<std::vector<std::uint8_t>> read_file(const std::filesystem::path& path,
                                            std::size_t max_size);
Status write_file_atomically(const std::filesystem::path& path,
                             std::span<const std::uint8_t> bytes);
// The file a write to path lands in: the end of the chain of links at path, or path itself.
Result<std::filesystem::path> write_target(const std::filesystem::path& path);
Status write_file_atomically(const std::filesystem::path& path, std::string_view text);

// Files whose contents stand in for what is on disk, for every read_file of their paths:
// the files of a committed change that cannot be completed yet (a full disk), so that reads
// see the change. Set by a reader under the folder's lock, cleared when it lets go.
void set_pending_contents(const std::vector<std::pair<std::filesystem::path, std::string>>& files);
void clear_pending_contents();

// A temporary name beside target that remove_stale_temp_files knows: the same mark, this
// process's id, then tag.
std::filesystem::path marked_temp_name(const std::filesystem::path& target, std::string_view tag);
bool is_marked_temp_name(std::string_view file_name);

// Whether dir is a folder this process may read (or also write), with one wording for every
// way in and out of the user's files: "NAME does not exist" (kNotFound), "NAME cannot be
// reached: reason" (a loop of links, a folder on the way that cannot be searched), "DIR is not
// a folder", "NAME cannot be read: reason" or "NAME cannot be written: reason".
enum class FolderUse { kRead, kWrite };
Status check_folder(const std::filesystem::path& dir, const std::string& name, FolderUse use);

// "WHAT PATH: the system's reason", kNotFound for ENOENT, kIo otherwise.
Error io_error(const std::string& what, const std::filesystem::path& path, int err);

// Removes the temporary files that writers killed mid-save left in dir: those of this user's
// processes that no longer run, never a running writer's nor another user's; only those of
// file_name when it is given. Every write runs it for its own file. Returns how many went.
int remove_stale_temp_files(const std::filesystem::path& dir, std::string_view file_name = {});

}  // namespace p330
