#include "core/formats/name_rules.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <string>
#include <vector>

#include "core/util/text_encoding.h"

namespace p330 {
namespace {

// The blanks a name may hold between words: the space, the no-break space, the ideographic
// space. Other widths (em space, thin space, Ogham space mark, ...) only make two names that
// print alike.
bool is_plain_blank(UChar32 c) {
    return c == 0x20 || c == 0xA0 || c == 0x3000;
}

// Invisible characters with a use inside a word: the joiners (scripts, emoji sequences) and
// the variation selectors (the emoji or text form of the character before).
bool is_joiner(UChar32 c) {
    return c == 0x200C || c == 0x200D;
}
bool is_variation_selector(UChar32 c) {
    return (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF);
}

bool is_control(UChar32 c) {
    const auto type = static_cast<UCharCategory>(u_charType(c));
    return type == U_CONTROL_CHAR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR;
}

bool is_invisible(UChar32 c) {
    return u_hasBinaryProperty(c, UCHAR_DEFAULT_IGNORABLE_CODE_POINT) ||
           u_hasBinaryProperty(c, UCHAR_BIDI_CONTROL) || u_charType(c) == U_FORMAT_CHAR;
}

std::vector<UChar32> code_points(std::string_view utf8) {
    std::vector<UChar32> out;
    const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(s, i, length, c);
        out.push_back(c);
    }
    return out;
}

}  // namespace

Status validate_name_text(std::string_view name, std::string_view what) {
    auto refuse = [&](std::string_view why) {
        return Status(Error{ErrorCode::kInvalidArgument, std::string(what) + std::string(why)});
    };
    if (name.empty()) return refuse(" cannot be empty");
    if (!is_valid_utf8(name)) return refuse(" must be valid UTF-8 text");
    const std::vector<UChar32> chars = code_points(name);
    for (const UChar32 c : chars) {
        if (is_control(c))
            return refuse(" cannot hold control characters (tabs, line breaks and the like)");
    }
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const UChar32 c = chars[i];
        const bool inside = i > 0 && i + 1 < chars.size();
        const bool kept = (is_joiner(c) && inside) || (is_variation_selector(c) && i > 0);
        if (is_invisible(c) && !kept)
            return refuse(" cannot hold invisible direction or zero-width characters");
    }
    if (u_isUWhiteSpace(chars.front()) || u_isUWhiteSpace(chars.back()))
        return refuse(" cannot start or end with a blank");
    for (const UChar32 c : chars) {
        if (u_isUWhiteSpace(c) && !is_plain_blank(c))
            return refuse(
                " cannot hold blanks other than the space, the no-break space and the "
                "ideographic space");
    }
    return Status::ok();
}

Status validate_profile_name(std::string_view name) {
    if (Status text = validate_name_text(name, "a profile name"); !text) return text;
    if (count_characters(name) > kMaxProfileNameLength)
        return Error{
            ErrorCode::kInvalidArgument,
            "a profile name has at most " + std::to_string(kMaxProfileNameLength) + " characters"};
    return Status::ok();
}

std::string comparable_name(std::string_view name) {
    if (!is_valid_utf8(name)) return std::string(name);
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    std::u16string wide(name.size() + 1, u'\0');
    std::int32_t wide_length = 0;
    u_strFromUTF8(wide.data(), static_cast<std::int32_t>(wide.size()), &wide_length, name.data(),
                  static_cast<std::int32_t>(name.size()), &status);
    std::u16string normal(3 * wide.size() + 8, u'\0');  // NFC grows text at most 3 times
    const std::int32_t normal_length =
        unorm2_normalize(nfc, wide.data(), wide_length, normal.data(),
                         static_cast<std::int32_t>(normal.size()), &status);
    if (U_FAILURE(status)) return std::string(name);
    std::string out;
    for (std::int32_t i = 0; i < normal_length;) {
        UChar32 c = 0;
        U16_NEXT(normal.data(), i, normal_length, c);
        if (u_hasBinaryProperty(c, UCHAR_DEFAULT_IGNORABLE_CODE_POINT)) continue;
        char bytes[4];
        std::int32_t n = 0;
        UBool error = false;
        U8_APPEND(reinterpret_cast<std::uint8_t*>(bytes), n, 4, c, error);
        // A code point that cannot be written back leaves the name as it is: a name missing a
        // character could equal another name, and a name compared as-is equals only itself.
        if (error) return std::string(name);
        out.append(bytes, static_cast<std::size_t>(n));
    }
    return out;
}

}  // namespace p330
