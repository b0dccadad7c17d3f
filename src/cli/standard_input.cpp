#include "cli/standard_input.h"

#include <iostream>

#include "core/flows/profile_text.h"
#include "core/formats/macro_file.h"

namespace p330::cli {

Result<std::optional<std::string>> read_standard_input_for(const Options& options) {
    const std::vector<std::string>& args = options.arguments;
    std::size_t limit = 0;
    const char* what = "";
    if (options.command == "import-text" && args.size() == 1 && args[0] == "-") {
        limit = kMaxProfileTextSize;
        what = "a settings text";
    } else if (options.command == "macro" && args.size() == 3 && args[0] == "import-items" &&
               args[2] == "-") {
        limit = kMaxItemsFileSize;
        what = "an items file";
    } else {
        return std::optional<std::string>{};
    }
    // One byte past the limit tells a stream that holds too much from one that fits exactly.
    std::string text(limit + 1, '\0');
    std::cin.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(std::cin.gcount()));
    if (text.size() > limit) {
        return Error{ErrorCode::kInvalidData, "standard input holds more than " +
                                                  std::to_string(limit) + " bytes, the limit of " +
                                                  what};
    }
    return std::optional<std::string>{std::move(text)};
}

}  // namespace p330::cli
