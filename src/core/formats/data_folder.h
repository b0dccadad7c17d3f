#pragma once
// The folder that holds a user's profile files, and the names of the files in it.

#include <filesystem>

#include "core/result.h"

namespace p330 {

// The user's data files live in one folder; the defaults Reset reads (config.bin, str.ini) in
// the shipped defaults folder, or beside the others when `defaults` is empty.
struct DataFolder {
    std::filesystem::path dir;
    std::filesystem::path defaults{};  // empty: dir

    std::filesystem::path main_ini() const { return dir / "str.ini"; }
    std::filesystem::path default_image() const { return defaults_dir() / "config.bin"; }
    std::filesystem::path default_ini() const { return defaults_dir() / "str.ini"; }
    std::filesystem::path record_ini() const { return dir / "record.ini"; }
    std::filesystem::path image(int index) const;
    std::filesystem::path ini(int index) const;
    const std::filesystem::path& defaults_dir() const { return defaults.empty() ? dir : defaults; }
};

// The folder of the running executable, whatever it is called.
Result<std::filesystem::path> executable_folder();

}  // namespace p330
