#include "platform/json_value.h"

#include <charconv>

namespace p330 {

namespace {

constexpr int kMaxDepth = 64;

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<JsonValue> document() {
        std::optional<JsonValue> value = parse(0);
        skip_space();
        if (at_ != text_.size()) return std::nullopt;
        return value;
    }

  private:
    void skip_space() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' ||
                                      text_[at_] == '\r' || text_[at_] == '\t'))
            ++at_;
    }
    bool take(char c) {
        skip_space();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        if (text_.substr(at_, w.size()) != w) return false;
        at_ += w.size();
        return true;
    }

    std::optional<std::string> string() {
        if (!take('"')) return std::nullopt;
        std::string out;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) return std::nullopt;
            const char e = text_[at_++];
            switch (e) {
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case 'r': out += '\r'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'u': {
                    // Names here are ASCII; other code points are kept as '?'.
                    if (at_ + 4 > text_.size()) return std::nullopt;
                    unsigned code = 0;
                    const auto r =
                        std::from_chars(text_.data() + at_, text_.data() + at_ + 4, code, 16);
                    if (r.ptr != text_.data() + at_ + 4) return std::nullopt;
                    at_ += 4;
                    out += code < 0x80 ? static_cast<char>(code) : '?';
                    break;
                }
                default: out += e;
            }
        }
        return std::nullopt;
    }

    std::optional<JsonValue> parse(int depth) {
        if (depth > kMaxDepth) return std::nullopt;
        skip_space();
        if (at_ >= text_.size()) return std::nullopt;
        JsonValue v;
        const char c = text_[at_];
        if (c == '{') {
            ++at_;
            v.kind = JsonValue::Kind::kObject;
            if (take('}')) return v;
            do {
                std::optional<std::string> name = string();
                if (!name || !take(':')) return std::nullopt;
                std::optional<JsonValue> member = parse(depth + 1);
                if (!member) return std::nullopt;
                v.member_names.push_back(std::move(*name));
                v.items.push_back(std::move(*member));
            } while (take(','));
            return take('}') ? std::optional<JsonValue>(std::move(v)) : std::nullopt;
        }
        if (c == '[') {
            ++at_;
            v.kind = JsonValue::Kind::kArray;
            if (take(']')) return v;
            do {
                std::optional<JsonValue> item = parse(depth + 1);
                if (!item) return std::nullopt;
                v.items.push_back(std::move(*item));
            } while (take(','));
            return take(']') ? std::optional<JsonValue>(std::move(v)) : std::nullopt;
        }
        if (c == '"') {
            std::optional<std::string> s = string();
            if (!s) return std::nullopt;
            v.kind = JsonValue::Kind::kString;
            v.text = std::move(*s);
            return v;
        }
        if (word("true") || word("false")) {
            v.kind = JsonValue::Kind::kBool;
            v.boolean = text_[at_ - 1] == 'e' && text_[at_ - 2] == 'u';
            return v;
        }
        if (word("null")) return v;
        const auto r = std::from_chars(text_.data() + at_, text_.data() + text_.size(), v.number);
        if (r.ec != std::errc()) return std::nullopt;
        at_ = static_cast<std::size_t>(r.ptr - text_.data());
        v.kind = JsonValue::Kind::kNumber;
        return v;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view name) const {
    if (kind != Kind::kObject) return nullptr;
    for (std::size_t i = 0; i < member_names.size() && i < items.size(); ++i)
        if (member_names[i] == name) return &items[i];
    return nullptr;
}

std::optional<JsonValue> parse_json(std::string_view text) {
    return Parser(text).document();
}

}  // namespace p330
