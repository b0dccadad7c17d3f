#include "core/macro/macro_button_links.h"

#include "core/buttons/button_assignment.h"
#include "core/buttons/button_code.h"
#include "core/formats/ini_document.h"
#include "core/lang/dialog_texts.h"

namespace p330 {
namespace {

// The default's function for button b, as a choice the button lists could have made.
ButtonChoice default_choice(const SettingsRecord* defaults, int b) {
    ButtonChoice off;
    off.kind = kKindButtonOff;
    if (defaults == nullptr || defaults->button_kind[b] == kKindMacroKey) return off;
    Result<ButtonChoice> choice = parse_button_function(button_function_text(*defaults, b, {}), {});
    return choice ? *choice : off;
}

int macro_position(const std::vector<std::string>& macro_names, const std::string& name) {
    for (std::size_t i = 0; i < macro_names.size() && i < kMacroCount; ++i) {
        if (ini_names_equal(macro_names[i], name)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

MacroButtonLinks relink_macro_buttons(
    SettingsRecord& record, std::array<std::string, kButtonCount>& labels, Language language,
    const std::vector<std::string>& macro_names,
    const std::vector<std::pair<std::string, std::string>>& renames,
    const SettingsRecord* defaults) {
    MacroButtonLinks links;
    const std::string prefix = std::string(ui_texts(language).fn_macro_key) + "-";
    for (int b = 0; b < kButtonCount; ++b) {
        if (record.button_kind[b] != kKindMacroKey) continue;
        std::string& label = labels[static_cast<std::size_t>(b)];
        // A label that names no macro gives nothing to follow: treated as a lost macro.
        std::string name = label.starts_with(prefix) ? label.substr(prefix.size()) : "";
        for (const auto& [from, to] : renames) {
            if (ini_names_equal(name, from)) name = to;
        }
        const int position = name.empty() ? -1 : macro_position(macro_names, name);
        if (position < 0) {
            label = commit_button_choice(record, b, default_choice(defaults, b), language);
            links.lost.push_back(LostMacroButton{b, label});
            continue;
        }
        label = prefix + name;
        if (record.button_macro[b] != position) ++links.moved;
        record.button_macro[b] = static_cast<std::uint8_t>(position);
    }
    return links;
}

std::string lost_macro_buttons_message(Language language,
                                       const std::vector<LostMacroButton>& lost) {
    std::string text(macro_manager_texts(language).lost_macro_warning);
    for (std::size_t i = 0; i < lost.size(); ++i) {
        text +=
            (i == 0 ? " " : ", ") + std::to_string(lost[i].button + 1) + " (" + lost[i].label + ")";
    }
    return text;
}

}  // namespace p330
