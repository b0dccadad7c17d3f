#include "core/formats/data_folder.h"

#include <string>

namespace p330 {

namespace fs = std::filesystem;

fs::path DataFolder::image(int index) const {
    return dir / ("config" + std::to_string(index) + ".bin");
}

fs::path DataFolder::ini(int index) const {
    return dir / ("str" + std::to_string(index) + ".ini");
}

Result<fs::path> executable_folder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return Error{ErrorCode::kNotFound, "cannot find the executable: " + ec.message()};
    return exe.parent_path();
}

}  // namespace p330
