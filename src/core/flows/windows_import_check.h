#pragma once
// The Windows program's folder checked as every other way in is, before anything is written:
// its profile list and its macros read into the models the program works on and held to the
// rules import-text and the managers apply (names, counts, items). A refusal says what and
// where.

#include <filesystem>
#include <vector>

#include "core/formats/windows_import.h"
#include "core/result.h"

namespace p330 {

Status check_windows_import(const std::vector<ImportedFile>& files,
                            const std::filesystem::path& source);

}  // namespace p330
