#include "core/formats/settings_json.h"

#include <algorithm>
#include <map>
#include <optional>

#include "core/util/quoted_value.h"
#include "core/util/text_encoding.h"

namespace p330 {
namespace {

constexpr int kMaxJsonDepth = 64;  // get --json nests two deep; this bounds a hostile file

class JsonReader {
  public:
    JsonReader(std::string_view text, std::string source)
        : text_(text), source_(std::move(source)) {}

    Result<SettingsText> run() {
        if (Status utf8 = check_utf8_text(text_, source_); !utf8) return utf8.error();
        skip_blanks();
        if (!take('{')) return fault("a JSON document starts with '{'");
        if (!members(0, [this](const std::string& key, int line) { return top_member(key, line); }))
            return *error_;
        skip_blanks();
        if (at_ != text_.size()) return fault("text after the JSON document");
        if (!has_settings_) return fault("no \"settings\" object: not a document of get --json");
        return std::move(out_);
    }

  private:
    // The reader only moves forward, so lines are counted from where the last count ended.
    int line_of(std::size_t at) {
        at = std::min(at, text_.size());
        for (; counted_to_ < at; ++counted_to_) lines_ += text_[counted_to_] == '\n' ? 1 : 0;
        return lines_;
    }
    Error fault(std::string why) {
        // A document of one long line quotes at most a screenful of it.
        constexpr std::size_t kShown = 240;
        if (why.size() > kShown) {
            std::size_t cut = kShown;
            while (cut > 0 && (static_cast<unsigned char>(why[cut]) & 0xC0) == 0x80) --cut;
            why = why.substr(0, cut) + "...";
        }
        error_ = Error{ErrorCode::kInvalidArgument,
                       source_ + ":" + std::to_string(line_of(at_)) + ": " + why};
        return *error_;
    }
    bool fail(const std::string& why) {
        (void)fault(why);
        return false;
    }
    void skip_blanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                      text_[at_] == '\n' || text_[at_] == '\r'))
            ++at_;
    }
    bool take(char c) {
        skip_blanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    // The members of an object whose '{' has been read; on_member reads each value.
    template <typename OnMember>
    bool members(int depth, OnMember on_member) {
        if (depth > kMaxJsonDepth) return fail("JSON nested too deep");
        if (take('}')) return true;
        do {
            skip_blanks();
            const int line = line_of(at_);
            std::optional<std::string> key = string();
            if (!key) return false;
            if (!take(':')) return fail("':' expected after \"" + printable(*key) + "\"");
            if (!on_member(*key, line)) return false;
        } while (take(','));
        return take('}') || fail("',' or '}' expected");
    }

    bool top_member(const std::string& key, int line) {
        if (key == "settings") {
            has_settings_ = true;
            if (!take('{')) return fail("\"settings\" is an object of KEY: VALUE");
            return members(1, [this](const std::string& k, int l) {
                std::optional<std::string> v = scalar();
                if (!v) return false;
                if (const auto [seen, added] = lines_of_keys_.emplace(k, l); !added)
                    return fail(printable(k) + " is already given on line " +
                                std::to_string(seen->second));
                out_.settings.push_back(TextSetting{l, k, *v});
                return true;
            });
        }
        if (key == "schema") {
            std::optional<std::string> v = scalar();
            if (!v) return false;
            if (*v != "1")
                return fail("schema " + printable(*v) +
                            " is not one this program reads: it reads schema 1");
            return true;
        }
        if (key == kProfileNameKey) {
            std::optional<std::string> v = scalar();
            if (!v) return false;
            out_.settings.insert(out_.settings.begin(), TextSetting{line, key, *v});
            return true;
        }
        if (!reported(key)) {
            return fail("unknown member \"" + printable(key) +
                        "\": only \"settings\" and \"name\" are read, beside what get --json "
                        "reports");
        }
        return skip_value(1);
    }

    // What `get --json` prints beside "settings" and "name": derived from the settings, so
    // passed over (a change belongs in "settings"); the CLI tests feed its whole output back.
    static bool reported(const std::string& key) {
        static constexpr std::string_view kReported[] = {"schema",
                                                         "profile",
                                                         "language",
                                                         "labels",
                                                         "first_run_flag",
                                                         "report_rate_hz",
                                                         "report_interval_ms",
                                                         "dpi_stages",
                                                         "light_mode",
                                                         "light_levels",
                                                         "lighting",
                                                         "sensitivity_x",
                                                         "sensitivity_y",
                                                         "angle_snap_level",
                                                         "pointer_precision",
                                                         "pointer_speed",
                                                         "desktop_pointer_speed",
                                                         "scroll_by_page",
                                                         "scroll_lines",
                                                         "double_click_level",
                                                         "double_click_ms",
                                                         "buttons",
                                                         "macro_blocks",
                                                         "out_of_range"};
        return std::find(std::begin(kReported), std::end(kReported), key) != std::end(kReported);
    }

    // A string or a number, as text.
    std::optional<std::string> scalar() {
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

    bool skip_value(int depth) {
        if (depth > kMaxJsonDepth) return fail("JSON nested too deep");
        skip_blanks();
        if (take('{'))
            return members(depth + 1, [this, depth](const std::string&, int) {
                return skip_value(depth + 1);
            });
        if (take('[')) {
            if (take(']')) return true;
            do {
                if (!skip_value(depth + 1)) return false;
            } while (take(','));
            return take(']') || fail("',' or ']' expected");
        }
        for (std::string_view word : {"true", "false", "null"}) {
            if (text_.substr(at_).starts_with(word)) {
                at_ += word.size();
                return true;
            }
        }
        return scalar().has_value();
    }

    std::optional<unsigned> hex4() {
        if (text_.size() - at_ < 4) return std::nullopt;
        unsigned v = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_++];
            const auto digit =
                std::string_view("0123456789abcdef").find(static_cast<char>(c | 0x20));
            if (digit == std::string_view::npos) return std::nullopt;
            v = v * 16 + static_cast<unsigned>(digit);
        }
        return v;
    }

    std::optional<std::string> string() {
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
                code = low && *low >= 0xDC00 && *low < 0xE000
                           ? std::optional<unsigned>(0x10000 + ((*code - 0xD800) << 10) +
                                                     (*low - 0xDC00))
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

    std::string_view text_;
    std::string source_;
    std::size_t at_ = 0;
    SettingsText out_;
    bool has_settings_ = false;
    std::optional<Error> error_;
    std::map<std::string, int> lines_of_keys_;
    std::size_t counted_to_ = 0;
    int lines_ = 1;
};

}  // namespace

bool looks_like_json(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && text[first] == '{';
}

Result<SettingsText> parse_settings_json(std::string_view text, const std::string& source) {
    return JsonReader(text, source).run();
}

}  // namespace p330
