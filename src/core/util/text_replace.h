#pragma once

#include <string>
#include <string_view>

namespace p330 {

// Every occurrence of `from` replaced by `to`, left to right; text put in is not searched again.
std::string replace_all(std::string text, std::string_view from, std::string_view to);

}  // namespace p330
