#pragma once

#include <optional>
#include <string_view>

namespace p330 {

// Like the C library's atoi, without its undefined overflow: leading blanks, an optional
// sign, then as many digits as there are; 0 when there are none. Saturates at the int range.
int parse_leading_int(std::string_view text);
// The same for unsigned 32-bit values (a leading '-' gives 0).
long long parse_leading_integer(std::string_view text);
// A whole text of decimal digits (and nothing else) up to 1e15; nullopt otherwise.
std::optional<long long> parse_decimal(std::string_view text);

}  // namespace p330
