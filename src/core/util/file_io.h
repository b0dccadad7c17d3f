#pragma once
// Whole-file reads that refuse oversized files, and writes that never leave a partial file:
// the bytes go to a temporary name beside the target, are flushed, and replace it by rename.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace p330 {

Result<std::vector<std::uint8_t>> read_file(const std::filesystem::path& path,
                                            std::size_t max_size);
Status write_file_atomically(const std::filesystem::path& path,
                             std::span<const std::uint8_t> bytes);
Status write_file_atomically(const std::filesystem::path& path, std::string_view text);

}  // namespace p330
