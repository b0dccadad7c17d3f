#include "core/buttons/button_assignment.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/buttons/function_catalogue.h"
#include "core/buttons/key_tables.h"
#include "core/util/parse_int.h"
#include "core/util/quoted_value.h"
#include "core/util/text_encoding.h"

namespace p330 {
namespace {

constexpr std::array<std::string_view, kButtonKindCount> kKindKeywords = {
    "click", "menu",   "scroll",  "forward", "back",  "double-click", "dpi",
    "media", "hotkey", "windows", "key",     "combo", "macro",        "off"};

// Scroll Select and CPI Cycle have short item words; the other lists use their English text.
constexpr std::array<std::string_view, 3> kScrollWords = {"middle", "up", "down"};
constexpr std::array<std::string_view, 3> kCpiWords = {"up", "down", "loop"};

bool opens_sub_list(ButtonKind kind) {
    return kind < kButtonKindCount && kFunctionCatalogue[kind].effect == ChoiceEffect::kSubList;
}

SubListId sub_list_of(ButtonKind kind) {
    return kFunctionCatalogue[kind].sub_list;
}

std::string item_word(SubListId id, std::size_t position) {
    if (id == SubListId::kScrollSelect) return std::string(kScrollWords.at(position));
    if (id == SubListId::kCpiCycle) return std::string(kCpiWords.at(position));
    std::string word(sub_list_items(id)[position].in(Language::kEnglish));
    for (char& c : word) {
        if (c == ' ') c = '-';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return word;
}

using ButtonArray = std::uint8_t (SettingsRecord::*)[kButtonCount];

// The per-button array a sub-list choice writes.
ButtonArray sub_list_array(ButtonKind kind) {
    switch (kind) {
        case kKindScrollSelect: return &SettingsRecord::button_mouse;
        case kKindCpiCycle: return &SettingsRecord::button_dpi;
        case kKindMultimedia: return &SettingsRecord::button_media;
        case kKindHotKey: return &SettingsRecord::button_hotkey;
        default: return &SettingsRecord::button_special;
    }
}

std::string key_text(std::uint8_t usage) {
    for (const KeyNameEntry& entry : kKeyNameTable) {
        if (entry.usage == usage) return std::string(entry.name);
    }
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", usage);
    return buffer;
}

Error bad(std::string message) {
    return Error{ErrorCode::kInvalidArgument, std::move(message)};
}

// "MODIFIER+KEY[+KEY]" where key names may hold '+' themselves ("Num +").
Result<ButtonChoice> parse_combo(std::string_view text) {
    ButtonChoice c;
    c.kind = kKindComboKey;
    const auto plus = text.find('+');
    if (plus != std::string_view::npos && !modifier_name_spelled(text.substr(0, plus)).empty()) {
        c.modifier = std::string(modifier_name_spelled(text.substr(0, plus)));
        text.remove_prefix(plus + 1);
    }
    if (const std::string_view key = key_name_spelled(text); !key.empty()) {
        c.key = std::string(key);
        return c;
    }
    for (std::size_t at = text.find('+'); at != std::string_view::npos;
         at = text.find('+', at + 1)) {
        const std::string_view first = key_name_spelled(text.substr(0, at));
        const std::string_view second = key_name_spelled(text.substr(at + 1));
        if (!first.empty() && !second.empty()) {
            c.key = std::string(first);
            c.key2 = std::string(second);
            return c;
        }
    }
    return bad(quoted_value(text) +
               " is not KEY or KEY+KEY with key names of the key table (after an optional "
               "modifier such as 'Left Ctrl+'; see 'p330ctl help keys')");
}

// The position of the macro text names (its name, or #N) among the first twelve; -1 if none.
int find_macro(std::string_view text, const std::vector<std::string>& names) {
    const std::size_t usable = std::min(names.size(), static_cast<std::size_t>(kMacroCount));
    for (std::size_t i = 0; i < usable; ++i) {
        // ASCII letters in any case, as record.ini compares its section names.
        if (equal_ignoring_ascii_case(names[i], text)) return static_cast<int>(i);
    }
    if (text.starts_with('#')) {
        const std::optional<long long> n = parse_decimal(text.substr(1));
        if (n && *n >= 1 && static_cast<std::size_t>(*n) <= usable) return static_cast<int>(*n - 1);
    }
    return -1;
}

// "NAME[@MODE]". A name may hold '@' itself: what follows the last '@' is a repeat mode only
// when it is one of the three words and the rest names a macro. Without a mode, the macro
// repeats as the window's Macro Key dialog starts: mode 0, @count.
Result<ButtonChoice> parse_macro(std::string_view text, const std::vector<std::string>& names) {
    ButtonChoice c;
    c.kind = kKindMacroKey;
    c.macro_index = find_macro(text, names);
    if (const auto at = text.rfind('@'); at != std::string_view::npos) {
        const auto* const mode = std::find(std::begin(kMacroModeKeywords),
                                           std::end(kMacroModeKeywords), text.substr(at + 1));
        const int named = find_macro(text.substr(0, at), names);
        if (mode != std::end(kMacroModeKeywords) && named >= 0) {
            c.macro_index = named;
            c.macro_mode = static_cast<int>(mode - std::begin(kMacroModeKeywords));
        }
    }
    if (c.macro_index < 0)
        return bad("no macro " + quoted_value(text) +
                   " among the first twelve of record.ini (a repeat mode after the name is "
                   "@count, @toggle or @hold)");
    c.macro_name = names[static_cast<std::size_t>(c.macro_index)];
    return c;
}

}  // namespace

std::string commit_button_choice(SettingsRecord& r, int b, const ButtonChoice& choice,
                                 Language language) {
    const UiTexts& t = ui_texts(language);
    r.button_kind[b] = choice.kind;
    if (opens_sub_list(choice.kind)) {
        const SubListId id = sub_list_of(choice.kind);
        (r.*sub_list_array(choice.kind))[b] = sub_list_value(id, choice.position);
        const auto items = sub_list_items(id);
        const auto at = static_cast<std::size_t>(choice.position);
        return at < items.size() ? std::string(items[at].in(language)) : std::string();
    }
    switch (choice.kind) {
        case kKindSingleKey:
            r.button_key[b] = key_usage_from_name(choice.key);
            return std::string(t.fn_single_key) + "-" + choice.key;
        case kKindComboKey: {
            r.button_combo_mod[b] = modifier_bit_from_name(choice.modifier);
            r.button_combo_key1[b] = key_usage_from_name(choice.key);
            r.button_combo_key2[b] = key_usage_from_name(choice.key2);
            std::string parts;
            // A part whose code is 0 is left out of the label.
            for (const auto& [name, code] : {std::pair{&choice.modifier, r.button_combo_mod[b]},
                                             std::pair{&choice.key, r.button_combo_key1[b]},
                                             std::pair{&choice.key2, r.button_combo_key2[b]}}) {
                if (code != 0) parts += (parts.empty() ? "" : "+") + *name;
            }
            return std::string(t.fn_combo_key) + "-" + parts;
        }
        case kKindMacroKey:
            r.button_macro[b] = static_cast<std::uint8_t>(choice.macro_index);
            r.button_macro_mode[b] = static_cast<std::uint8_t>(choice.macro_mode);
            return std::string(t.fn_macro_key) + "-" + choice.macro_name;
        default: return std::string(function_name(choice.kind, language));
    }
}

bool is_last_left_key(const SettingsRecord& r, int button) {
    if (r.button_kind[button] != kKindClick) return false;
    for (int other = 0; other < kButtonCount; ++other) {
        if (other != button && r.button_kind[other] == kKindClick) return false;
    }
    return true;
}

std::string_view button_kind_keyword(ButtonKind kind) {
    return kind < kButtonKindCount ? kKindKeywords[kind] : std::string_view("unknown");
}

Result<ButtonChoice> parse_button_function(std::string_view text,
                                           const std::vector<std::string>& macro_names) {
    const auto colon = text.find(':');
    const std::string_view word = text.substr(0, colon);
    const std::string_view rest =
        colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
    int kind = -1;
    for (int k = 0; k < kButtonKindCount; ++k) {
        if (equal_ignoring_ascii_case(kKindKeywords[static_cast<std::size_t>(k)], word)) kind = k;
    }
    if (kind < 0) return bad("unknown button function " + quoted_value(text));
    ButtonChoice c;
    c.kind = static_cast<ButtonKind>(kind);
    const bool takes_argument = opens_sub_list(c.kind) || c.kind == kKindSingleKey ||
                                c.kind == kKindComboKey || c.kind == kKindMacroKey;
    if (takes_argument == (colon == std::string_view::npos) && takes_argument) {
        return bad("'" + std::string(word) + "' needs ':' and a choice");
    }
    if (!takes_argument && colon != std::string_view::npos) {
        return bad("'" + std::string(word) + "' takes no ':' part");
    }
    if (opens_sub_list(c.kind)) {
        const SubListId id = sub_list_of(c.kind);
        const std::size_t count = sub_list_items(id).size();
        std::string choices;
        for (std::size_t p = 0; p < count; ++p) {
            if (equal_ignoring_ascii_case(item_word(id, p), rest)) {
                c.position = static_cast<int>(p);
                return c;
            }
            choices += (p ? ", " : "") + item_word(id, p);
        }
        return bad("'" + std::string(word) + ":' takes one of " + choices);
    }
    if (c.kind == kKindSingleKey) {
        const std::string_view key = key_name_spelled(rest);
        if (key.empty())
            return bad(quoted_value(rest) +
                       " is not a key name of the key table (see 'p330ctl help keys')");
        c.key = std::string(key);
        return c;
    }
    if (c.kind == kKindComboKey) return parse_combo(rest);
    if (c.kind == kKindMacroKey) return parse_macro(rest, macro_names);
    return c;
}

std::vector<std::string> button_function_words() {
    std::vector<std::string> words;
    for (int k = 0; k < kButtonKindCount; ++k) {
        const auto kind = static_cast<ButtonKind>(k);
        const std::string word(kKindKeywords[kind]);
        if (opens_sub_list(kind)) {
            const SubListId id = sub_list_of(kind);
            for (std::size_t p = 0; p < sub_list_items(id).size(); ++p)
                words.push_back(word + ":" + item_word(id, p));
        } else if (kind == kKindSingleKey || kind == kKindComboKey || kind == kKindMacroKey) {
            words.push_back(word + ":");
        } else {
            words.push_back(word);
        }
    }
    return words;
}

std::string button_function_text(const SettingsRecord& r, int b,
                                 const std::vector<std::string>& macro_names) {
    const auto kind = static_cast<ButtonKind>(r.button_kind[b]);
    if (kind >= kButtonKindCount) return "unknown:" + std::to_string(r.button_kind[b]);
    std::string out(kKindKeywords[kind]);
    if (opens_sub_list(kind)) {
        const SubListId id = sub_list_of(kind);
        const std::uint8_t value = (r.*sub_list_array(kind))[b];
        const auto items = sub_list_items(id);
        for (std::size_t p = 0; p < items.size(); ++p) {
            if (sub_list_value(id, static_cast<int>(p)) == value)
                return out + ":" + item_word(id, p);
        }
        return out + ":unknown-" + std::to_string(value);
    }
    switch (kind) {
        case kKindSingleKey: return out + ":" + key_text(r.button_key[b]);
        case kKindComboKey: {
            std::string parts;
            for (const ModifierEntry& m : kModifierTable) {
                if (r.button_combo_mod[b] == m.bit) parts = std::string(m.name);
            }
            for (std::uint8_t key : {r.button_combo_key1[b], r.button_combo_key2[b]}) {
                if (key != 0) parts += (parts.empty() ? "" : "+") + key_text(key);
            }
            return out + ":" + parts;
        }
        case kKindMacroKey: {
            const std::size_t index = r.button_macro[b];
            const std::string name = index < macro_names.size() && index < kMacroCount
                                         ? macro_names[index]
                                         : "#" + std::to_string(index + 1);
            const std::uint8_t mode = r.button_macro_mode[b];
            return out + ":" + name + "@" +
                   (mode < 3 ? std::string(kMacroModeKeywords[mode]) : std::to_string(mode));
        }
        default: return out;
    }
}

}  // namespace p330
