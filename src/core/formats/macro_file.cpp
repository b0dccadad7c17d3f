#include "core/formats/macro_file.h"

#include "core/buttons/key_tables.h"
#include "core/formats/name_rules.h"
#include "core/util/parse_int.h"
#include "core/util/text_encoding.h"

namespace p330 {

bool valid_macro_loop_times(long long count) {
    return count >= 1 && count <= kMaxMacroLoopTimes;
}

long long macro_loop_times(std::string_view text) {
    const long long v = parse_leading_integer(text);
    return valid_macro_loop_times(v) ? v : 1;
}

MacroSection read_macro_section(const IniDocument& file, const std::string& name) {
    MacroSection m;
    m.name = name;
    m.delay_status = file.get_or_empty(name, "DelayTimeSelStatus");
    m.record_delays = parse_leading_int(m.delay_status) != 0;
    m.loop_text = file.get_or_empty(name, "MacroLoopTimes");
    m.loop_times = macro_loop_times(m.loop_text);
    m.item_count = parse_leading_int(file.get_or_empty(name, "ItemCount"));
    const int items = std::min(m.item_count, kMaxMacroItemsRead);
    for (int i = 0; i < items; ++i)
        m.items.push_back(file.get_or_empty(name, "Item" + std::to_string(i)));
    return m;
}

std::vector<std::string> macro_names(const IniDocument& file) {
    return file.section_names();
}

std::vector<std::string> choosable_macro_names(const IniDocument& file) {
    std::vector<std::string> names = file.section_names();
    if (names.size() > static_cast<std::size_t>(kChoosableMacros)) names.resize(kChoosableMacros);
    return names;
}

bool macro_names_equal(std::string_view a, std::string_view b) {
    return ini_names_equal(a, b) || ini_names_equal(comparable_name(a), comparable_name(b));
}

Status validate_macro_name(std::string_view name) {
    auto refuse = [](std::string why) {
        return Status(Error{ErrorCode::kInvalidArgument, std::move(why)});
    };
    if (name.empty()) return refuse("a macro name cannot be empty");
    if (Status text = validate_name_text(name, "a macro name"); !text) return text;
    if (count_characters(name) > kMaxMacroNameLength)
        return refuse("a macro name has at most 31 characters");
    if (name.find_first_of("[]") != std::string_view::npos || name.front() == ';')
        return refuse("a macro name cannot hold brackets nor start with ';'");
    return Status::ok();
}

std::optional<std::string> macro_item_from_text(std::string_view text) {
    // A key item as typed by hand: the key in any case, any run of blanks or tabs, Dn or Up;
    // stored as the recorder writes it.
    for (const std::string_view marker : {kPressMarker, kReleaseMarker}) {
        const std::string_view word = marker.substr(marker.find_first_not_of(' '));
        if (text.size() <= word.size() ||
            !equal_ignoring_ascii_case(text.substr(text.size() - 2), word))
            continue;
        const std::string_view before = text.substr(0, text.size() - word.size());
        const std::size_t key_end = before.find_last_not_of(" \t");
        if (key_end == std::string_view::npos || key_end + 1 == before.size()) continue;
        const std::string_view key = key_name_spelled(before.substr(0, key_end + 1));
        if (!key.empty() && macro_key_code(key) != 0) return std::string(key) + std::string(marker);
    }
    if (!text.ends_with("ms")) return std::nullopt;
    std::string_view digits = text.substr(0, text.size() - 2);
    while (digits.ends_with(' ')) digits.remove_suffix(1);
    const std::optional<long long> ms = parse_decimal(digits);
    if (!ms || *ms > kMaxDelayMs) return std::nullopt;
    return std::to_string(*ms) + " ms";
}

}  // namespace p330
