#pragma once
// Bringing over a data folder written by the Windows program: profile images as they are,
// INI files (UTF-16LE with a mark, UTF-8, or the language's ANSI code page) as UTF-8.
// Every file is read and checked before anything is written.

#include <filesystem>
#include <string>
#include <vector>

#include "core/result.h"

namespace p330 {

struct ImportedFile {
    std::string name;      // file name in both folders
    std::string bytes;     // what the data folder receives
    std::string found_as;  // "profile image", "UTF-16LE", "UTF-8", or the code page
};

// The files of source the data folder would receive; an error names the first file that
// cannot be read or is not what it should be, or says that source holds none of them.
Result<std::vector<ImportedFile>> read_windows_folder(const std::filesystem::path& source);

// Writes the files into target; a file that exists there is first copied to NAME.bak.
Status write_imported_files(const std::vector<ImportedFile>& files,
                            const std::filesystem::path& target);

}  // namespace p330
