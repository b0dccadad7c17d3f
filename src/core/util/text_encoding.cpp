#include "core/util/text_encoding.h"

#include <algorithm>
#include <cstdint>

namespace p330 {
namespace {

Error not_text(const char* why) {
    return Error{ErrorCode::kInvalidData, std::string("not a text file: ") + why};
}

Result<std::string> decode_utf16le(std::string_view bytes) {
    if (bytes.size() % 2 != 0) return not_text("odd length for UTF-16");
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        std::uint32_t unit = static_cast<std::uint8_t>(bytes[i]) |
                             static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i + 1]))
                                 << 8;
        if (unit >= 0xD800 && unit < 0xDC00) {
            if (i + 3 >= bytes.size()) return not_text("broken UTF-16 surrogate");
            const std::uint32_t low =
                static_cast<std::uint8_t>(bytes[i + 2]) |
                static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i + 3])) << 8;
            if (low < 0xDC00 || low > 0xDFFF) return not_text("broken UTF-16 surrogate");
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return not_text("broken UTF-16 surrogate");
        }
        if (unit == 0) return not_text("contains a NUL character");
        append_utf8(out, unit);
    }
    return out;
}

}  // namespace

void append_utf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::size_t utf8_sequence_length(std::string_view text, std::size_t at) {
    const auto c = static_cast<std::uint8_t>(text[at]);
    std::size_t extra = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (at + extra >= text.size()) return 0;
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto cc = static_cast<std::uint8_t>(text[at + k]);
        if ((cc & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (cc & 0x3F);
    }
    static constexpr std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return extra + 1;
}

std::size_t first_invalid_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8_sequence_length(text, i);
        if (length == 0) return i;
        i += length;
    }
    return std::string_view::npos;
}

bool is_valid_utf8(std::string_view text) {
    return first_invalid_utf8(text) == std::string_view::npos;
}

Result<std::string> decode_text_file(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        Result<std::string> text = decode_utf16le(bytes.substr(2));
        if (text) {
            while (text->rfind("\xEF\xBB\xBF", 0) == 0) text->erase(0, 3);  // repeated marks
        }
        return text;
    }
    while (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (bytes.find('\0') != std::string_view::npos) return not_text("contains a NUL byte");
    if (!is_valid_utf8(bytes)) return not_text("invalid UTF-8");
    return std::string(bytes);
}

namespace {
bool continuation_byte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

std::size_t count_characters(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8) n += continuation_byte(c) ? 0 : 1;
    return n;
}

std::string cut_to_characters(std::string_view text, std::size_t max_characters) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (continuation_byte(text[at])) continue;
        if (characters == max_characters) return std::string(text.substr(0, at));
        ++characters;
    }
    return std::string(text);
}

bool equal_ignoring_ascii_case(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

namespace {

// The wide ranges of Unicode's East Asian Width property that names, labels and macro names
// can hold; emoji and rarer wide blocks count as one column, as many terminals draw them.
bool is_wide(std::uint32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0x303E) ||
           (cp >= 0x3041 && cp <= 0x33FF) || (cp >= 0x3400 && cp <= 0x4DBF) ||
           (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xA000 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
           (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

bool is_zero_width(std::uint32_t cp) {
    return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x200B && cp <= 0x200F) ||
           (cp >= 0xFE00 && cp <= 0xFE0F);
}

}  // namespace

std::size_t display_width(std::string_view utf8) {
    std::size_t columns = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = std::max<std::size_t>(utf8_sequence_length(utf8, at), 1);
        std::uint32_t cp = static_cast<unsigned char>(utf8[at]);
        if (length > 1) {
            cp &= 0x3Fu >> (length - 1);
            for (std::size_t i = 1; i < length && at + i < utf8.size(); ++i)
                cp = (cp << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3Fu);
        }
        columns += is_wide(cp) ? 2 : is_zero_width(cp) ? 0 : 1;
        at += length;
    }
    return columns;
}

}  // namespace p330
