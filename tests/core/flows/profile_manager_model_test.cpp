#include "core/flows/profile_manager_model.h"

#include <gtest/gtest.h>

#include "core/formats/ini_document.h"
#include "fixtures/data_folder.h"

namespace p330 {
namespace {

TEST(ProfileManagerModelTest, NewNamesFollowTheLastEntry) {
    const struct {
        std::vector<std::string> names;
        const char* next;
    } cases[] = {
        {{}, "PROFILE_0"},
        {{"PROFILE_0", "PROFILE_1"}, "PROFILE_2"},
        {{"PROFILE_0", "Copy PROFILE_1"}, "PROFILE_2"},
        {{"A", "B", "Work"}, "Work_3"},
        {{"PROFILE_x"}, "PROFILE_1"},
    };
    for (const auto& c : cases) EXPECT_EQ(next_profile_name(c.names), c.next);
}

class ProfileListTest : public ::testing::Test {
  protected:
    ProfileManagerModel load() { return *ProfileManagerModel::load(data.folder.main_ini()); }
    test::TestDataFolder data;
};

TEST_F(ProfileListTest, SixAtMostCopiesSilentlyRefusedAndSavedInOrder) {
    data.write_profile_list(5, "P", {"P", "Q", "R", "S", "T"});
    data.write_image("config1.bin", '\x03', 1);
    ProfileManagerModel model = load();
    ASSERT_TRUE(*model.copy(1, Language::kEnglish));
    EXPECT_EQ(model.names().back(), "Copy Q");
    EXPECT_FALSE(*model.copy(1, Language::kEnglish));
    const Status refused = model.add_new(Language::kTraditionalChinese);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.message(), "最多可以存儲6個配置。");
    ASSERT_TRUE(model.remove(0));
    EXPECT_EQ(model.selected(), -1);  // the current entry went: entry 0 is saved as current
    EXPECT_FALSE(model.rename(0, "two\nlines"));
    EXPECT_FALSE(model.rename(0, ""));  // an empty CurProfileName would pick another entry
    ASSERT_TRUE(model.save(Language::kEnglish));
    const IniDocument ini = *IniDocument::load(data.folder.main_ini());
    EXPECT_EQ(ini.get_or_empty("Profile", "CurProfileName"), "Q");
    EXPECT_EQ(ini.get_or_empty("Profile", "ItemCount"), "5");
    EXPECT_EQ(ini.get_or_empty("Profile", "Item4"), "Copy Q");
}

// The list is written whole from the copy load read: another program's change since stays.
TEST_F(ProfileListTest, AListChangedElsewhereSinceLoadIsNotOverwritten) {
    data.write_profile_list(2, "A", {"A", "B"});
    ProfileManagerModel model = load();
    ASSERT_TRUE(model.rename(1, "Mine"));
    data.write_profile_list(2, "A", {"A", "Theirs"});
    EXPECT_NE(model.save(Language::kSimplifiedChinese).message().find("另一个程序更改了配置列表"),
              std::string::npos);
    EXPECT_EQ(IniDocument::load(data.folder.main_ini())->get_or_empty("Profile", "Item1"),
              "Theirs");
}

TEST_F(ProfileListTest, NothingIsWrittenWithoutAMainIni) {
    ProfileManagerModel model = load();
    ASSERT_TRUE(model.add_new(Language::kEnglish));
    ASSERT_TRUE(model.save(Language::kEnglish));
    EXPECT_FALSE(data.exists("str.ini"));
}

}  // namespace
}  // namespace p330
