#include "core/flows/pointer_settings.h"

#include "core/model/record_units.h"
#include "core/util/text_replace.h"

namespace p330 {

PointerValues pointer_values(const SettingsRecord& r) {
    PointerValues v{};
    v.mouse = r.pointer_precision == 1 ? std::array<int, 3>{6, 10, 1} : std::array<int, 3>{0, 0, 0};
    v.speed = desktop_pointer_speed(r.pointer_speed);
    v.scroll_lines = r.scroll_by_page != 0 ? kScrollOnePage : r.scroll_lines;
    v.double_click_ms = double_click_ms(r.double_click_level);
    return v;
}

std::vector<UserMessage> PointerReport::messages(const PointerApplied& applied, Language language) {
    static constexpr std::array<const char*, kPointerSettingCount> kRefused = {
        "SETMOUSE failed.", "SETMOUSESPEED failed.", "SETWHEELSCROLLLINES failed.",
        "SPI_SETDOUBLECLICKTIME failed."};
    const UiTexts& texts = ui_texts(language);
    std::vector<UserMessage> out;
    std::string lacking;
    for (std::size_t i = 0; i < kPointerSettingCount; ++i) {
        const PointerOutcome outcome = applied.outcome[i];
        if (outcome == PointerOutcome::kRefused || outcome == PointerOutcome::kNoDevice)
            out.push_back({kRefused[i], "Warning"});
        if (outcome != PointerOutcome::kUnsupported || told_[i]) continue;
        told_[i] = true;
        if (!lacking.empty()) lacking += texts.list_separator;
        lacking += texts.pointer_setting_names[i];
    }
    if (!lacking.empty()) {
        out.push_back(
            {replace_all(std::string(texts.desktop_lacks_settings), "{settings}", lacking), ""});
    }
    return out;
}

}  // namespace p330
