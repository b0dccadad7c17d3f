#include "core/formats/name_rules.h"

#include <string>

#include "core/util/text_encoding.h"

namespace p330 {
namespace {

// Blanks an editor shows as nothing: the space, the no-break space, the ideographic space.
bool ends_with_blank(std::string_view s, bool at_front) {
    for (const std::string_view blank : {" ", "\xC2\xA0", "\xE3\x80\x80"}) {
        if (at_front ? s.starts_with(blank) : s.ends_with(blank)) return true;
    }
    return false;
}

bool has_control_character(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 || c == 0x7F) return true;
        // U+0080..U+009F, the C1 controls, are 0xC2 0x80..0x9F in UTF-8.
        if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) <= 0x9F)
            return true;
    }
    return false;
}

// Characters that show nothing yet change what a name looks like: the zero-width space, the
// direction marks, embeddings, overrides and isolates, the word joiner, the byte-order mark.
// The joiners U+200C and U+200D stay: scripts and emoji need them.
bool has_invisible_format_character(std::string_view s) {
    for (std::size_t i = 0; i + 2 < s.size(); ++i) {
        const auto a = static_cast<unsigned char>(s[i]);
        const auto b = static_cast<unsigned char>(s[i + 1]);
        const auto c = static_cast<unsigned char>(s[i + 2]);
        if (a == 0xE2 && b == 0x80 && (c == 0x8B || c == 0x8E || c == 0x8F)) return true;
        if (a == 0xE2 && b == 0x80 && c >= 0xAA && c <= 0xAE) return true;
        if (a == 0xE2 && b == 0x81 && (c == 0xA0 || (c >= 0xA6 && c <= 0xA9))) return true;
        if (a == 0xEF && b == 0xBB && c == 0xBF) return true;
    }
    return false;
}

}  // namespace

Status validate_name_text(std::string_view name, std::string_view what) {
    auto refuse = [&](std::string_view why) {
        return Status(Error{ErrorCode::kInvalidArgument, std::string(what) + std::string(why)});
    };
    if (name.empty()) return refuse(" cannot be empty");
    if (!is_valid_utf8(name)) return refuse(" must be valid UTF-8 text");
    if (has_control_character(name))
        return refuse(" cannot hold control characters (tabs, line breaks and the like)");
    if (has_invisible_format_character(name))
        return refuse(" cannot hold invisible direction or zero-width characters");
    if (ends_with_blank(name, true) || ends_with_blank(name, false))
        return refuse(" cannot start or end with a blank");
    return Status::ok();
}

}  // namespace p330
