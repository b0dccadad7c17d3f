#pragma once
// The texts of the dialogs, which choose them by the same language code as the main window.

#include <array>
#include <string_view>

#include "core/lang/language.h"

namespace p330 {

struct SingleKeyDialogTexts {
    std::string_view ok, cancel, prompt;
};

struct ComboKeyDialogTexts {
    std::string_view ok, cancel;
};

struct MacroManagerTexts {
    std::string_view ok, cancel, title, macro_list_heading, item_list_heading, options_heading;
    std::string_view record_delays_option, loop_option, new_button, delete_button;
    std::string_view start_recording, stop_recording, recording_window_text;
    std::string_view insert_left_button, insert_middle_button, insert_right_button, insert_delay;
    std::string_view warning_caption, limit_message, new_macro_base;
    // After OK: buttons set to "Macro Key" whose macro was deleted and that went back to their
    // default function (their numbers and new labels follow).
    std::string_view lost_macro_warning;
    // Before the manager writes a macro another program changed since it was shown.
    std::string_view overwrite_changed_macro;
    // The selected macro's room in its block ({used}, {max}); when it does not fit, what is cut
    // ({dropped} of {total} key events).
    std::string_view pairs_used, macro_cut;
};

struct MacroKeyDialogTexts {
    std::array<std::string_view, 3> repeat_modes;
    std::string_view ok, cancel, heading;
};

struct ProfileManagerTexts {
    std::string_view title, new_button, menu_delete, menu_edit, menu_copy, menu_load, menu_save;
    std::string_view warning_caption, warning_text;
    // Closing after another program changed the profile list: nothing is written.
    std::string_view changed_elsewhere;
};

struct HelpDialogTexts {
    std::string_view ok, cancel;
};

// Fixed in every language.
constexpr std::string_view kMacroManagerWindowText = "Macro Manager";
constexpr std::string_view kNewProfileBase = "PROFILE";
constexpr std::string_view kHelpUpdateLabel = "Update 驱动更新";
constexpr std::string_view kHelpVersionLabel = "Version：1.0";

const SingleKeyDialogTexts& single_key_dialog_texts(Language language);
const ComboKeyDialogTexts& combo_key_dialog_texts(Language language);
const MacroManagerTexts& macro_manager_texts(Language language);
const MacroKeyDialogTexts& macro_key_dialog_texts(Language language);
const ProfileManagerTexts& profile_manager_texts(Language language);
const HelpDialogTexts& help_dialog_texts(Language language);

}  // namespace p330
