#pragma once
// Text files as the Windows program leaves them: UTF-8 with or without a byte-order mark, or
// UTF-16LE with its mark. Anything else that is not valid UTF-8 text is refused.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/result.h"

namespace p330 {

Result<std::string> decode_text_file(std::string_view bytes);
bool is_valid_utf8(std::string_view text);
// Where text stops being UTF-8 (npos when it never does).
std::size_t first_invalid_utf8(std::string_view text);
// The bytes of the UTF-8 character starting at text[at] (at < size), 0 when none starts there.
std::size_t utf8_sequence_length(std::string_view text, std::size_t at);
// Appends one code point (at most U+10FFFF) as UTF-8.
void append_utf8(std::string& out, std::uint32_t cp);
// Characters of UTF-8 text (its bytes that start one).
std::size_t count_characters(std::string_view utf8);
// The longest start of text that is at most max_characters characters, never cut inside one.
std::string cut_to_characters(std::string_view text, std::size_t max_characters);
// Equal but for the case of ASCII letters ("Neon" and "neon"); other bytes compare as they are.
bool equal_ignoring_ascii_case(std::string_view a, std::string_view b);
// Terminal columns valid UTF-8 text takes: 2 for East Asian wide and full-width characters
// (CJK, Hangul, full-width forms), 0 for combining marks and joiners, 1 for the rest.
std::size_t display_width(std::string_view utf8);

}  // namespace p330
