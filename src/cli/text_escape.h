#pragma once
// Names read from files are shown on a terminal: control characters in them must not move
// the cursor, clear the screen or forge lines.

#include <string>
#include <string_view>

namespace p330::cli {

// Control characters (below 0x20 and 0x7F) as \xNN.
std::string printable(std::string_view text);

}  // namespace p330::cli
