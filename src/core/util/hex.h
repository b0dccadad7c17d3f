#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace p330 {

// "0C 00 80" style, upper case, with the given separator between bytes.
std::string to_hex(std::span<const std::uint8_t> bytes, std::string_view separator = " ");
// Accepts pairs of hex digits, optionally separated by blanks; nullopt on anything else.
std::optional<std::vector<std::uint8_t>> from_hex(std::string_view text);
// 0..15 for a hexadecimal digit of either case, -1 for anything else.
int hex_digit_value(char c);

}  // namespace p330
