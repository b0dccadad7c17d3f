#pragma once
// The three interface languages and every text the program shows, one table per language.

#include <array>
#include <string_view>

namespace p330 {

enum class Language { kEnglish, kSimplifiedChinese, kTraditionalChinese };

// The one of three per-language tables that language reads.
template <typename T>
const T& pick(Language language, const T& english, const T& simplified, const T& traditional) {
    switch (language) {
        case Language::kSimplifiedChinese: return simplified;
        case Language::kTraditionalChinese: return traditional;
        case Language::kEnglish: break;
    }
    return english;
}

// Exact, case-sensitive: "CHS", "CHT"; anything else (also "chs" or "CHS ") is English.
Language language_from_code(std::string_view code);
// The code a profile INI stores for language: "EN", "CHS" or "CHT".
std::string_view language_code(Language language);
// The profile INI section that holds the button labels: "Setting-EN", "Setting-CHS", ...
std::string_view label_section(Language language);
// The Windows ANSI code page the Windows program's files are in on a system set up for
// language (iconv's name for it).
std::string_view ansi_code_page(Language language);

// The main window's texts, by role.
struct UiTexts {
    std::string_view product_title;
    std::string_view tray_exit;
    std::string_view reset, cancel, save, config, front, side;
    std::string_view button_assignment, macro_manager, sensitivity_setting, dpi_setting, lighting,
        usb_report_rate, mouse_speed, double_click_speed, scroll_speed, angle_snap;
    std::string_view x_axis, y_axis;
    std::array<std::string_view, 8> button_names;
    std::string_view dpi_dial_up, dpi_dial_down, slow, fast, number_of_rows, scroll_one_screen;
    std::string_view light_standard, light_respiration, light_neon;
    std::string_view fn_click, fn_menu, fn_mouse_m_button, fn_scroll_up, fn_scroll_down,
        fn_scroll_select, fn_ie_forward, fn_ie_backward, fn_dpi_loop, fn_cpi_cycle, fn_double_click,
        fn_windows, fn_multimedia, fn_hotkey, fn_single_key, fn_combo_key, fn_macro_key,
        fn_button_off;
    std::string_view left_key_required;
    std::string_view mouse_not_detected, mouse_detected;
    std::array<std::string_view, 6> dpi_stage_switched;  // each ends with a blank
    std::string_view macro_key_switched;
    // Our own warning after a failed upload; {failed} and {total} stand for the counts, and
    // {not_sent} for upload_not_sent when transfers were never tried ({count} of them).
    std::string_view upload_failed;
    std::string_view upload_not_sent;
    // Once per run, for the pointer settings this desktop does not have; {settings} lists them.
    std::string_view desktop_lacks_settings;
    std::array<std::string_view, 4> pointer_setting_names;  // acceleration, speed, lines, click
    std::string_view list_separator;
    // Why the window cannot be drawn; {folder}, {files}, {path} and {reason} are filled in.
    std::string_view skin_images_missing, skin_path_refused, profile_ini_unreadable;
    // {folder}, {file} and {reason} are filled in.
    std::string_view user_folder_unusable, profile_list_unreadable, skin_path_missing;
    // Save pressed while the mouse is away: the edits stay in the window only.
    std::string_view not_saved_without_mouse;
    // The titles of balloons and desktop notifications.
    std::string_view info_title, warning_title;
    // On the terminal, when there is no display to show the window on.
    std::string_view needs_graphical_session;
    // Another program holds the data folder ({seconds}: how long it was waited for) or the
    // mouse: nothing was changed or sent.
    std::string_view folder_busy, mouse_busy;
    // Save after another program changed the profile's files: the question first, then what a
    // change made in the moment between leaves.
    std::string_view overwrite_changed_elsewhere, changed_elsewhere_not_saved;
    // The mouse is there but another program holds it: it is connected once it is free.
    std::string_view mouse_in_use;
    // Another profile chosen in the profile manager while the window holds unsaved edits.
    std::string_view drop_edits_for_other_profile;
    // Closing with unsaved edits, and Reset when it would replace what is saved or shown;
    // discard is the answer that drops the edits.
    std::string_view close_with_unsaved_edits, discard, reset_replaces_settings;
};

const UiTexts& ui_texts(Language language);

}  // namespace p330
