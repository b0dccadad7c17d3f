#pragma once
// The 14 functions a button can be given, the sub-lists some of them open, and the labels
// of a first run.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/buttons/button_code.h"
#include "core/lang/language.h"

namespace p330 {

enum class ChoiceEffect { kCommit, kSubList, kSingleKeyDialog, kComboKeyDialog, kMacroDialog };

// List box ids of the sub-lists.
enum class SubListId {
    kMultimedia = 35,
    kHotKey = 36,
    kWindows = 37,
    kCpiCycle = 38,
    kScrollSelect = 39
};

struct CatalogueEntry {
    ButtonKind kind;
    std::string_view UiTexts::*name;
    ChoiceEffect effect;
    SubListId sub_list;  // meaningful when effect is kSubList
};

// In list order: the position of an entry is its kind.
extern const std::array<CatalogueEntry, kButtonKindCount> kFunctionCatalogue;

std::string_view function_name(ButtonKind kind, Language language);

struct SubListItem {
    std::array<std::string_view, 3> text;  // English, simplified, traditional
    std::uint8_t value;                    // the parameter byte the choice stores

    std::string_view in(Language language) const { return text[static_cast<int>(language)]; }
};

// The items of a sub-list and the record field a choice from it writes.
std::span<const SubListItem> sub_list_items(SubListId id);
ButtonKind sub_list_kind(SubListId id);
// The parameter stored for position s of a sub-list; 0 for positions outside it, except the
// Windows list, which stores the position itself.
std::uint8_t sub_list_value(SubListId id, int position);

// The labels a profile image that the program never wrote gets on first display.
std::array<std::string, kButtonCount> first_run_labels(Language language);

}  // namespace p330
