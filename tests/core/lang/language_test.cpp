#include "core/lang/language.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>

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

}  // namespace
}  // namespace p330
