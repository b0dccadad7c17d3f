#include "core/util/quoted_value.h"

#include <cstdio>

#include "core/util/text_encoding.h"

namespace p330 {
namespace {

void append_escaped(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned char>(c));
        out += buffer;
    }
}

bool is_control(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return lead < 0x20 || lead == 0x7F;
    // U+0080..U+009F: terminals take some of them (CSI, OSC) as the start of a command.
    return character.size() == 2 && lead == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0;
}

}  // namespace

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8_sequence_length(text, at);
        const std::string_view character = text.substr(at, length == 0 ? 1 : length);
        if (length == 0 || is_control(character))
            append_escaped(out, character);
        else
            out += character;
        at += character.size();
    }
    return out;
}

std::string quoted_value(std::string_view text) {
    return "'" + printable(text) + "'";
}

}  // namespace p330
