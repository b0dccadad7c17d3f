#pragma once
// Committing a function to a button, as the button lists do: the record fields the choice
// writes, the label the button shows for it, and the rule that keeps one button on "Click".
// Also the short written form of a function ("media:next-track", "combo:Left Ctrl+C") that
// scripts use to name a choice and read it back.

#include <string>
#include <string_view>
#include <vector>

#include "core/buttons/button_code.h"
#include "core/lang/language.h"
#include "core/result.h"

namespace p330 {

struct ButtonChoice {
    ButtonKind kind = kKindClick;
    int position = 0;      // sub-list position for the five kinds that open one
    std::string key;       // Single Key; the first key of a Combo Key
    std::string modifier;  // Combo Key, may be empty
    std::string key2;      // Combo Key, may be empty
    int macro_index = 0;   // Macro Key: the macro's position in record.ini
    int macro_mode = 0;    // Macro Key: repeat mode 0, 1 or 2
    std::string macro_name;
};

// Writes the choice's kind and parameters and returns the label the button gets in language.
// Parameter arrays of other kinds are left alone, so they come back with their kind.
std::string commit_button_choice(SettingsRecord& record, int button, const ButtonChoice& choice,
                                 Language language);

// Whether button is the only one on "Click": its list does not open, its function stays.
bool is_last_left_key(const SettingsRecord& record, int button);

// The one-word name of a kind in the written form: click, menu, scroll, ..., off.
std::string_view button_kind_keyword(ButtonKind kind);
constexpr std::string_view kMacroModeKeywords[] = {"count", "toggle", "hold"};

// Reads the written form; macro names are looked up in macro_names (record.ini order).
Result<ButtonChoice> parse_button_function(std::string_view text,
                                           const std::vector<std::string>& macro_names);
// Every function in the written form, for completion: the ones that take a name end in ':'
// (key:, combo:, macro:), the sub-lists' choices are listed whole (scroll:middle).
std::vector<std::string> button_function_words();
// The written form of what the record holds for button.
std::string button_function_text(const SettingsRecord& record, int button,
                                 const std::vector<std::string>& macro_names);

}  // namespace p330
