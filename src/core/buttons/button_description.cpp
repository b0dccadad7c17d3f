#include "core/buttons/button_description.h"

#include <cstdio>

#include "core/buttons/button_code.h"
#include "core/buttons/function_catalogue.h"
#include "core/buttons/key_tables.h"

namespace p330 {
namespace {

constexpr Language kEn = Language::kEnglish;

std::string key_name(std::uint8_t usage) {
    if (usage == 0) return "";
    for (const KeyNameEntry& entry : kKeyNameTable) {
        if (entry.usage == usage) return std::string(entry.name);
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "usage 0x%02X", usage);
    return buffer;
}

// One modifier, as the combination dialog stores it (a reader refuses anything else).
std::string modifier_names(std::uint8_t bits) {
    for (const ModifierEntry& m : kModifierTable) {
        if (bits == m.bit) return std::string(m.name);
    }
    return "";
}

std::string sub_list_choice(SubListId id, std::uint8_t value) {
    for (const SubListItem& item : sub_list_items(id)) {
        if (item.value == value) return std::string(item.in(kEn));
    }
    return "unknown (" + std::to_string(value) + ")";
}

}  // namespace

std::string describe_button(const SettingsRecord& r, int b) {
    const auto kind = static_cast<ButtonKind>(r.button_kind[b]);
    if (kind >= kButtonKindCount) return "unknown kind " + std::to_string(kind) + " (does nothing)";
    std::string out(function_name(kind, kEn));
    switch (kind) {
        case kKindScrollSelect:
            return out + ": " + sub_list_choice(SubListId::kScrollSelect, r.button_mouse[b]);
        case kKindCpiCycle:
            return out + ": " + sub_list_choice(SubListId::kCpiCycle, r.button_dpi[b]);
        case kKindMultimedia:
            return out + ": " + sub_list_choice(SubListId::kMultimedia, r.button_media[b]);
        case kKindHotKey:
            return out + ": " + sub_list_choice(SubListId::kHotKey, r.button_hotkey[b]);
        case kKindWindows:
            return out + ": " + sub_list_choice(SubListId::kWindows, r.button_special[b]);
        case kKindSingleKey: return out + ": " + key_name(r.button_key[b]);
        case kKindComboKey: {
            std::string parts = modifier_names(r.button_combo_mod[b]);
            for (std::uint8_t key : {r.button_combo_key1[b], r.button_combo_key2[b]}) {
                if (key != 0) parts += (parts.empty() ? "" : "+") + key_name(key);
            }
            return out + ": " + parts;
        }
        case kKindMacroKey:
            return out + ": macro " + std::to_string(r.button_macro[b] + 1) + ", repeat mode " +
                   std::to_string(r.button_macro_mode[b]);
        default: return out;
    }
}

}  // namespace p330
