#include "core/lang/language.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace p330
