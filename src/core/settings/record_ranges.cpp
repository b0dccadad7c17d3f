#include "core/settings/record_ranges.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/buttons/button_code.h"
#include "core/buttons/function_catalogue.h"
#include "core/buttons/key_tables.h"
#include "core/model/device_image.h"
#include "core/settings/setting_limits.h"
#include "core/settings/settings_catalogue.h"

namespace p330 {
namespace {

struct NamedByte {
    const char* field;
    int value;
};

NamedByte sub_list_parameter(const SettingsRecord& r, int b, ButtonKind kind) {
    switch (kind) {
        case kKindScrollSelect: return {"button_mouse", r.button_mouse[b]};
        case kKindCpiCycle: return {"button_dpi", r.button_dpi[b]};
        case kKindMultimedia: return {"button_media", r.button_media[b]};
        case kKindHotKey: return {"button_hotkey", r.button_hotkey[b]};
        default: return {"button_special", r.button_special[b]};
    }
}

bool holds_sub_list_value(SubListId id, int value) {
    const int count = static_cast<int>(sub_list_items(id).size());
    for (int p = 0; p < count; ++p) {
        if (sub_list_value(id, p) == value) return true;
    }
    return false;
}

bool known_key(std::uint8_t usage) {
    return std::any_of(kKeyNameTable.begin(), kKeyNameTable.end(),
                       [usage](const KeyNameEntry& k) { return k.usage == usage; });
}

}  // namespace

std::vector<RangeFault> bring_tolerated_fields_into_range(SettingsRecord& r) {
    struct Tolerated {
        const char* field;
        std::uint8_t* value;
        LevelRange allowed;
        LevelRange tolerated;  // what is brought into allowed; beyond it the image is refused
    };
    constexpr LevelRange kAnyByte{0, 255};
    std::vector<Tolerated> fields = {
        {"pointer_speed", &r.pointer_speed, kPointerSpeedRange, kAnyByte},
        {"double_click_level", &r.double_click_level, kDoubleClickRange, kAnyByte},
        {"angle_snap_level", &r.angle_snap_level, kAngleSnapRange, {0, kAngleSnapRange.max}},
        {"scroll_lines", &r.scroll_lines, kScrollLinesRange, {0, kScrollLinesRange.max}},
    };
    const std::array<std::pair<const char*, std::uint8_t*>, kLightModeCount> levels = {
        {{"light_param_1", &r.light_param_1},
         {"light_param_2", &r.light_param_2},
         {"light_param_3", &r.light_param_3}}};
    for (int mode = 1; mode <= kLightModeCount; ++mode) {
        const auto& [field, value] = levels[static_cast<std::size_t>(mode - 1)];
        if (r.light_mode != mode) fields.push_back({field, value, kLightLevelRange, kAnyByte});
    }
    std::vector<RangeFault> brought;
    for (const Tolerated& f : fields) {
        if (f.allowed.holds(*f.value) || !f.tolerated.holds(*f.value)) continue;
        const int nearest = std::clamp<int>(*f.value, f.allowed.min, f.allowed.max);
        brought.push_back({f.field, *f.value,
                           std::to_string(f.allowed.min) + " to " + std::to_string(f.allowed.max),
                           nearest});
        *f.value = static_cast<std::uint8_t>(nearest);
    }
    return brought;
}

std::vector<RangeFault> out_of_range_fields(const SettingsRecord& r, std::uint8_t first_run_flag) {
    std::vector<RangeFault> faults;
    auto check = [&faults](const std::string& field, int value, LevelRange range) {
        if (!range.holds(value)) {
            faults.push_back(
                {field, value, std::to_string(range.min) + " to " + std::to_string(range.max)});
        }
    };
    auto indexed = [](const char* field, int index) {
        return std::string(field) + "[" + std::to_string(index) + "]";
    };
    check("first_run_flag", first_run_flag, {0, 1});
    check("profile_slot", r.profile_slot, {0, kProfileSlotCount - 1});
    if (std::find(kReportIntervals.begin(), kReportIntervals.end(), r.report_interval) ==
        kReportIntervals.end())
        faults.push_back({"report_interval", r.report_interval, "1, 2, 4 or 8"});
    // Each setting's byte, in the range its catalogue entry gives it.
    for (const SettingEntry& entry : settings_catalogue()) {
        if (entry.stored) check(entry.stored->name, entry.stored->value(r), entry.stored->range);
    }
    bool any_click = false;
    for (int b = 0; b < kButtonCount; ++b) {
        any_click = any_click || r.button_kind[b] == kKindClick;
        const auto kind = static_cast<ButtonKind>(r.button_kind[b]);
        check(indexed("button_kind", b), kind, {0, kButtonKindCount - 1});
        if (kind >= kButtonKindCount) continue;
        const CatalogueEntry& entry = kFunctionCatalogue[kind];
        if (entry.effect == ChoiceEffect::kSubList) {
            const auto [name, value] = sub_list_parameter(r, b, kind);
            if (!holds_sub_list_value(entry.sub_list, value))
                faults.push_back({indexed(name, b), value, "an item of its list"});
        }
        auto key = [&](const char* field, std::uint8_t usage) {
            if (usage != 0 && !known_key(usage))
                faults.push_back({indexed(field, b), usage, "a key of the key table"});
        };
        if (kind == kKindSingleKey) key("button_key", r.button_key[b]);
        if (kind == kKindComboKey) {
            const std::uint8_t mod = r.button_combo_mod[b];
            if (mod != 0 && std::none_of(kModifierTable.begin(), kModifierTable.end(),
                                         [mod](const ModifierEntry& m) { return m.bit == mod; }))
                faults.push_back({indexed("button_combo_mod", b), mod, "one modifier"});
            key("button_combo_key1", r.button_combo_key1[b]);
            key("button_combo_key2", r.button_combo_key2[b]);
        }
        if (kind == kKindMacroKey) {
            check(indexed("button_macro", b), r.button_macro[b], {0, kMacroCount - 1});
            check(indexed("button_macro_mode", b), r.button_macro_mode[b], {0, 2});
        }
    }
    if (!any_click) faults.push_back({"button_kind", kKindClick, "Click on at least one button"});
    return faults;
}

}  // namespace p330
