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
    std::vector<RangeFault> brought;
    for (const SettingEntry& entry : settings_catalogue()) {
        if (!entry.stored || !entry.stored->tolerated) continue;
        const StoredField& f = *entry.stored;
        const int value = f.value(r);
        if (f.range.holds(value) || !f.tolerated(r).holds(value)) continue;
        const int nearest = std::clamp(value, f.range.min, f.range.max);
        brought.push_back({f.name, value,
                           std::to_string(f.range.min) + " to " + std::to_string(f.range.max),
                           nearest});
        f.store(r, nearest);
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
