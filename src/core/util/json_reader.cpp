#include "core/util/json_reader.h"

#include <algorithm>
#include <charconv>

#include "core/util/text_encoding.h"

namespace p330 {

void JsonCursor::skip_blanks() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
        ++at_;
}

bool JsonCursor::take(char c) {
    skip_blanks();
    if (at_ < text_.size() && text_[at_] == c) {
        ++at_;
        return true;
    }
    return false;
}

int JsonCursor::line() {
    const std::size_t at = std::min(at_, text_.size());
    for (; counted_to_ < at; ++counted_to_) lines_ += text_[counted_to_] == '\n' ? 1 : 0;
    return lines_;
}

Error JsonCursor::fault(std::string why) {
    // A document of one long line quotes at most a screenful of it.
    constexpr std::size_t kShown = 240;
    if (why.size() > kShown) {
        std::size_t cut = kShown;
        while (cut > 0 && (static_cast<unsigned char>(why[cut]) & 0xC0) == 0x80) --cut;
        why = why.substr(0, cut) + "...";
    }
    error_ =
        Error{ErrorCode::kInvalidArgument, source_ + ":" + std::to_string(line()) + ": " + why};
    return *error_;
}

std::optional<std::string> JsonCursor::scalar() {
    skip_blanks();
    if (at_ < text_.size() && text_[at_] == '"') return string();
    const std::size_t start = at_;
    while (at_ < text_.size() &&
           std::string_view("+-.0123456789eE").find(text_[at_]) != std::string_view::npos)
        ++at_;
    if (at_ == start) {
        (void)fault("a string or a number expected");
        return std::nullopt;
    }
    return std::string(text_.substr(start, at_ - start));
}

bool JsonCursor::word(std::string_view w) {
    if (!text_.substr(at_).starts_with(w)) return false;
    at_ += w.size();
    return true;
}

bool JsonCursor::skip_value(int depth) {
    if (depth > kMaxDepth) return fail("JSON nested too deep");
    skip_blanks();
    if (take('{'))
        return members(depth + 1,
                       [this, depth](const std::string&, int) { return skip_value(depth + 1); });
    if (take('[')) {
        if (take(']')) return true;
        do {
            if (!skip_value(depth + 1)) return false;
        } while (take(','));
        return take(']') || fail("',' or ']' expected");
    }
    for (std::string_view w : {"true", "false", "null"}) {
        if (word(w)) return true;
    }
    return scalar().has_value();
}

std::optional<JsonValue> JsonCursor::value(int depth) {
    if (depth > kMaxDepth) {
        (void)fault("JSON nested too deep");
        return std::nullopt;
    }
    skip_blanks();
    JsonValue v;
    if (take('{')) {
        v.kind = JsonValue::Kind::kObject;
        const bool read = members(depth + 1, [this, depth, &v](const std::string& name, int) {
            std::optional<JsonValue> member = value(depth + 1);
            if (!member) return false;
            v.member_names.push_back(name);
            v.items.push_back(std::move(*member));
            return true;
        });
        return read ? std::optional<JsonValue>(std::move(v)) : std::nullopt;
    }
    if (take('[')) {
        v.kind = JsonValue::Kind::kArray;
        if (take(']')) return v;
        do {
            std::optional<JsonValue> item = value(depth + 1);
            if (!item) return std::nullopt;
            v.items.push_back(std::move(*item));
        } while (take(','));
        if (take(']')) return v;
        (void)fault("',' or ']' expected");
        return std::nullopt;
    }
    if (word("true") || word("false")) {
        v.kind = JsonValue::Kind::kBool;
        v.boolean = text_[at_ - 1] == 'e' && text_[at_ - 2] == 'u';
        return v;
    }
    if (word("null")) return v;
    const bool quoted = at_ < text_.size() && text_[at_] == '"';
    std::optional<std::string> text = scalar();
    if (!text) return std::nullopt;
    v.text = std::move(*text);
    if (quoted) {
        v.kind = JsonValue::Kind::kString;
        return v;
    }
    const char* end = v.text.data() + v.text.size();
    const auto r = std::from_chars(v.text.data(), end, v.number);
    if (r.ec != std::errc() || r.ptr != end) {
        (void)fault("a number expected");
        return std::nullopt;
    }
    v.kind = JsonValue::Kind::kNumber;
    return v;
}

std::optional<unsigned> JsonCursor::hex4() {
    if (text_.size() - at_ < 4) return std::nullopt;
    unsigned v = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = text_[at_++];
        const auto digit = std::string_view("0123456789abcdef").find(static_cast<char>(c | 0x20));
        if (digit == std::string_view::npos) return std::nullopt;
        v = v * 16 + static_cast<unsigned>(digit);
    }
    return v;
}

std::optional<std::string> JsonCursor::string() {
    if (at_ >= text_.size() || text_[at_] != '"') {
        (void)fault("a string expected");
        return std::nullopt;
    }
    ++at_;
    std::string out;
    while (at_ < text_.size() && text_[at_] != '"') {
        const char c = text_[at_++];
        if (c == '\n') break;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (at_ >= text_.size()) break;
        const char e = text_[at_++];
        const std::string_view plain = "\"\\/bfnrt";
        const std::string_view meant = "\"\\/\b\f\n\r\t";
        if (const auto p = plain.find(e); p != std::string_view::npos) {
            out += meant[p];
            continue;
        }
        std::optional<unsigned> code = e == 'u' ? hex4() : std::nullopt;
        if (code && *code >= 0xD800 && *code < 0xDC00 && text_.substr(at_).starts_with("\\u")) {
            at_ += 2;
            const std::optional<unsigned> low = hex4();
            code =
                low && *low >= 0xDC00 && *low < 0xE000
                    ? std::optional<unsigned>(0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00))
                    : std::nullopt;
        }
        if (!code || (*code >= 0xD800 && *code < 0xE000)) {
            (void)fault("a string holds a bad escape");
            return std::nullopt;
        }
        append_utf8(out, *code);
    }
    if (at_ >= text_.size() || text_[at_] != '"') {
        (void)fault("a string is not closed");
        return std::nullopt;
    }
    ++at_;
    return out;
}

const JsonValue* JsonValue::member(std::string_view name) const {
    if (kind != Kind::kObject) return nullptr;
    for (std::size_t i = 0; i < member_names.size() && i < items.size(); ++i)
        if (member_names[i] == name) return &items[i];
    return nullptr;
}

std::optional<JsonValue> parse_json(std::string_view text) {
    JsonCursor cursor(text, "JSON");
    std::optional<JsonValue> value = cursor.value(0);
    cursor.skip_blanks();
    if (!value || !cursor.at_end()) return std::nullopt;
    return value;
}

}  // namespace p330
