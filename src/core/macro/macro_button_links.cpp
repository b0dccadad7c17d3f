#include "core/macro/macro_button_links.h"

#include "core/buttons/button_code.h"
#include "core/formats/ini_document.h"
#include "core/lang/dialog_texts.h"

namespace p330 {

MacroButtonLinks relink_macro_buttons(
    SettingsRecord& record, std::array<std::string, kButtonCount>& labels, Language language,
    const std::vector<std::string>& macro_names,
    const std::vector<std::pair<std::string, std::string>>& renames) {
    MacroButtonLinks links;
    const std::string prefix = std::string(ui_texts(language).fn_macro_key) + "-";
    for (int b = 0; b < kButtonCount; ++b) {
        if (record.button_kind[b] != kKindMacroKey) continue;
        std::string& label = labels[static_cast<std::size_t>(b)];
        if (!label.starts_with(prefix)) {
            links.lost.push_back(b);  // the label names no macro: nothing to follow
            continue;
        }
        std::string name = label.substr(prefix.size());
        for (const auto& [from, to] : renames) {
            if (ini_names_equal(name, from)) name = to;
        }
        int position = -1;
        for (std::size_t i = 0; i < macro_names.size() && i < kMacroCount; ++i) {
            if (ini_names_equal(macro_names[i], name)) {
                position = static_cast<int>(i);
                break;
            }
        }
        if (position < 0) {
            links.lost.push_back(b);
            continue;
        }
        label = prefix + name;
        if (record.button_macro[b] != position) ++links.moved;
        record.button_macro[b] = static_cast<std::uint8_t>(position);
    }
    return links;
}

std::string lost_macro_buttons_message(Language language, const std::vector<int>& lost) {
    std::string text(macro_manager_texts(language).lost_macro_warning);
    for (std::size_t i = 0; i < lost.size(); ++i)
        text += (i == 0 ? " " : ", ") + std::to_string(lost[i] + 1);
    return text;
}

}  // namespace p330
