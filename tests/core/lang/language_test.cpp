#include "core/lang/language.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>

#include "core/lang/dialog_texts.h"

namespace p330 {
namespace {

TEST(LanguageTest, CodeIsComparedExactly) {
    EXPECT_EQ(language_from_code("CHS"), Language::kSimplifiedChinese);
    EXPECT_EQ(language_from_code("CHT"), Language::kTraditionalChinese);
    EXPECT_EQ(language_from_code("chs"), Language::kEnglish);
    EXPECT_EQ(language_from_code("CHS "), Language::kEnglish);
    EXPECT_EQ(language_from_code("CHSX"), Language::kEnglish);
    EXPECT_EQ(language_from_code(""), Language::kEnglish);
    EXPECT_EQ(language_from_code("EN"), Language::kEnglish);
    EXPECT_EQ(label_section(Language::kEnglish), "Setting-EN");
    EXPECT_EQ(label_section(Language::kSimplifiedChinese), "Setting-CHS");
    EXPECT_EQ(label_section(Language::kTraditionalChinese), "Setting-CHT");
}

TEST(LanguageTest, NotificationTextsKeepTheirTrailingBlank) {
    EXPECT_EQ(ui_texts(Language::kEnglish).dpi_stage_switched[2],
              "Switch DPI into the third stage ");
    EXPECT_EQ(ui_texts(Language::kSimplifiedChinese).dpi_stage_switched[5], "DPI切换到第六段 ");
    EXPECT_EQ(ui_texts(Language::kTraditionalChinese).macro_key_switched, "切換到巨集");
    EXPECT_EQ(ui_texts(Language::kEnglish).mouse_not_detected,
              "The system did not detect the gaming mouse!");
    for (auto lang :
         {Language::kEnglish, Language::kSimplifiedChinese, Language::kTraditionalChinese}) {
        for (auto text : ui_texts(lang).dpi_stage_switched) EXPECT_EQ(text.back(), ' ');
    }
}

// The tables name each text (a misplaced one does not compile); one left out of a language
// is empty there, and the window would show nothing. UiTexts holds texts only.
TEST(LanguageTest, EveryTextIsGivenInEveryLanguage) {
    constexpr std::size_t kTexts = sizeof(UiTexts) / sizeof(std::string_view);
    static_assert(sizeof(UiTexts) == kTexts * sizeof(std::string_view));
    using Texts = std::array<std::string_view, kTexts>;
    const auto english = std::bit_cast<Texts>(ui_texts(Language::kEnglish));
    for (auto lang :
         {Language::kEnglish, Language::kSimplifiedChinese, Language::kTraditionalChinese}) {
        const auto texts = std::bit_cast<Texts>(ui_texts(lang));
        for (std::size_t i = 0; i < kTexts; ++i) {
            EXPECT_FALSE(texts[i].empty())
                << language_code(lang) << " lacks text " << i << " (English: " << english[i] << ")";
        }
    }
}

TEST(LanguageTest, DialogTextsFollowTheLanguage) {
    EXPECT_EQ(macro_manager_texts(Language::kTraditionalChinese).limit_message,
              "最多可以新建12個巨集。");
    EXPECT_EQ(macro_manager_texts(Language::kEnglish).new_macro_base, "Macro");
    EXPECT_EQ(profile_manager_texts(Language::kSimplifiedChinese).warning_text,
              "最多可以存储6个配置。");
    EXPECT_EQ(single_key_dialog_texts(Language::kEnglish).ok, "Ok");
    EXPECT_EQ(combo_key_dialog_texts(Language::kEnglish).ok, "OK");
    EXPECT_EQ(macro_key_dialog_texts(Language::kEnglish).repeat_modes[2],
              "Repeat until the key is released");
}

}  // namespace
}  // namespace p330
