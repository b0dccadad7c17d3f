#include "core/formats/macro_file.h"

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

}  // namespace p330
