#include "core/formats/settings_text.h"

#include <algorithm>
#include <map>

#include "core/formats/ini_document.h"
#include "core/formats/macro_file.h"
#include "core/util/parse_int.h"
#include "core/util/quoted_value.h"
#include "core/util/text_encoding.h"

namespace p330 {
namespace {

constexpr std::string_view kProfileSection = "profile";
constexpr std::string_view kMacroPrefix = "macro ";
constexpr std::string_view kLoopKey = "loop";
constexpr std::string_view kDelaysKey = "record-delays";
constexpr std::string_view kItemKey = "item";

std::string_view trim_blanks(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

class Parser {
  public:
    explicit Parser(std::string source) : source_(std::move(source)) {}

    Result<SettingsText> run(std::string_view text) {
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // not a column of line 1
        if (Status utf8 = check_utf8_text(text, source_); !utf8) return utf8.error();
        for (std::size_t at = 0; at < text.size();) {
            std::size_t end = text.find('\n', at);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(at, end - at);
            at = end + 1;
            ++line_;
            if (line.ends_with('\r')) line.remove_suffix(1);
            line = trim_blanks(line);
            if (line.empty() || line.front() == '#' || line.front() == ';') continue;
            if (Status s = take(line); !s) return s.error();
        }
        return std::move(out_);
    }

  private:
    Error fault(const std::string& why) const {
        return Error{ErrorCode::kInvalidArgument,
                     source_ + ":" + std::to_string(line_) + ": " + why};
    }

    Status take(std::string_view line) {
        if (line.front() == '[') return header(line);
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || trim_blanks(line.substr(0, equals)).empty())
            return fault(quoted_value(line) + " is not 'key = value', a [section] or a # comment");
        const std::string key(trim_blanks(line.substr(0, equals)));
        const std::string value(trim_blanks(line.substr(equals + 1)));
        return macro_ ? macro_line(key, value) : profile_line(key, value);
    }

    Status header(std::string_view line) {
        if (!line.ends_with(']')) return fault("a section header ends with ']'");
        const std::string_view name = line.substr(1, line.size() - 2);
        if (name == kProfileSection) {
            if (seen_profile_) return fault("a second [profile] section");
            seen_profile_ = true;
            macro_ = nullptr;
            return Status::ok();
        }
        if (!name.starts_with(kMacroPrefix))
            return fault("[" + printable(name) + "] is not [profile] nor [macro NAME]");
        const std::string_view macro_name = name.substr(kMacroPrefix.size());
        if (Status valid = validate_macro_name(macro_name); !valid) return fault(valid.message());
        if (out_.macros.size() >= static_cast<std::size_t>(kChoosableMacros))
            return fault("more than twelve macros: the mouse holds twelve");
        for (const TextMacro& m : out_.macros) {
            if (macro_names_equal(m.name, macro_name))
                return fault("macro '" + m.name + "' is already given on line " +
                             std::to_string(m.line));
        }
        TextMacro& added = out_.macros.emplace_back();
        added.line = line_;
        added.name = std::string(macro_name);
        macro_ = &out_.macros.back();
        seen_loop_ = seen_delays_ = false;
        return Status::ok();
    }

    Status profile_line(const std::string& key, const std::string& value) {
        if (!out_.macros.empty()) return fault(quoted_value(key) + " belongs above the macros");
        if (const auto [seen, added] = lines_of_keys_.emplace(key, line_); !added)
            return fault(printable(key) + " is already given on line " +
                         std::to_string(seen->second));
        out_.settings.push_back(TextSetting{line_, key, value});
        return Status::ok();
    }

    Status macro_line(const std::string& key, const std::string& value) {
        if (key == kItemKey) {
            if (macro_->items.size() >= static_cast<std::size_t>(kMaxMacroItemsRead))
                return fault("a macro holds at most " + std::to_string(kMaxMacroItemsRead) +
                             " items");
            std::optional<std::string> item = macro_item_from_text(value);
            if (!item)
                return fault("item " + quoted_value(value) +
                             " is not 'KEY   Dn', 'KEY   Up' (a key of the key table, three "
                             "blanks) or 'N ms'");
            macro_->items.push_back(*item);
            return Status::ok();
        }
        if (key == kLoopKey) {
            const std::optional<long long> count = parse_decimal(value);
            if (seen_loop_) return fault("loop is already given for this macro");
            if (!count || !valid_macro_loop_times(*count))
                return fault("loop takes a whole number from 1 to " +
                             std::to_string(kMaxMacroLoopTimes) + ", not " + quoted_value(value));
            macro_->loop_times = *count;
            seen_loop_ = true;
            return Status::ok();
        }
        if (key == kDelaysKey) {
            if (seen_delays_) return fault("record-delays is already given for this macro");
            if (value != "on" && value != "off")
                return fault("record-delays takes on or off, not " + quoted_value(value));
            macro_->record_delays = value == "on";
            seen_delays_ = true;
            return Status::ok();
        }
        return fault("unknown macro key " + quoted_value(key) +
                     " (a macro takes loop, record-delays, item)");
    }

    std::string source_;
    SettingsText out_;
    std::map<std::string, int> lines_of_keys_;
    TextMacro* macro_ = nullptr;  // the section being read, when it is a macro's
    int line_ = 0;
    bool seen_profile_ = false;
    bool seen_loop_ = false;
    bool seen_delays_ = false;
};

}  // namespace

Status check_utf8_text(std::string_view text, const std::string& source) {
    const std::size_t bad = first_invalid_utf8(text);
    if (bad == std::string_view::npos) return Status::ok();
    const std::string_view before = text.substr(0, bad);
    const auto line = 1 + std::count(before.begin(), before.end(), '\n');
    const std::size_t line_start = before.rfind('\n') + 1;  // npos + 1 is 0: the first line
    const std::size_t column = count_characters(before.substr(line_start)) + 1;
    return Error{ErrorCode::kInvalidData, source + ":" + std::to_string(line) +
                                              ": the line is not UTF-8 text (byte " +
                                              printable(text.substr(bad, 1)) + " at column " +
                                              std::to_string(column) + "): save the file as UTF-8"};
}

Result<SettingsText> parse_settings_text(std::string_view text, const std::string& source) {
    return Parser(source).run(text);
}

std::string write_settings_text(const SettingsText& settings) {
    std::string out =
        "# P330 profile: its settings, button functions and the macros the mouse holds.\n"
        "# 'key = value' lines as 'p330ctl set' takes them; lines starting with # are comments.\n"
        "# Read back with 'p330ctl import-text [--profile N] [--apply] FILE'.\n\n[profile]\n";
    for (const TextSetting& s : settings.settings) out += s.key + " = " + s.value + "\n";
    for (const TextMacro& m : settings.macros) {
        out += "\n[macro " + m.name + "]\n";
        out += std::string(kLoopKey) + " = " + std::to_string(m.loop_times) + "\n";
        out += std::string(kDelaysKey) + " = " + (m.record_delays ? "on" : "off") + "\n";
        for (const std::string& item : m.items) out += std::string(kItemKey) + " = " + item + "\n";
    }
    return out;
}

}  // namespace p330
