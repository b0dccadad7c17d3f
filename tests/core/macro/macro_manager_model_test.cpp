#include "core/macro/macro_manager_model.h"

#include <gtest/gtest.h>

#include "core/formats/ini_document.h"
#include "fixtures/data_folder.h"

namespace p330 {
namespace {

class MacroManagerModelTest : public ::testing::Test {
  protected:
    void write_three() {
        data.write("record.ini",
                   "[Macro_0]\nDelayTimeSelStatus=1\nMacroLoopTimes=1\nItemCount=1\nItem0=A   Dn\n"
                   "[Macro_1]\nDelayTimeSelStatus=0\nMacroLoopTimes=5\nItemCount=1\nItem0=B   Dn\n"
                   "[Macro_2]\nDelayTimeSelStatus=1\nMacroLoopTimes=2\nItemCount=0\n");
    }
    std::vector<std::string> sections() const {
        return IniDocument::load(data.folder.record_ini())->section_names();
    }

    test::TestDataFolder data;
    MacroManagerModel model{data.folder.record_ini()};
};

TEST_F(MacroManagerModelTest, SavingAndRenamingKeepTheMacroInItsPlace) {
    write_three();
    ASSERT_TRUE(model.load_list());
    EXPECT_EQ(model.names().size(), 3u);
    EXPECT_EQ(model.items(), std::vector<std::string>{"A   Dn"});
    EXPECT_TRUE(model.record_delays);
    model.items().push_back("A   Up");
    ASSERT_TRUE(model.save_macro());
    ASSERT_TRUE(model.select(1));
    ASSERT_TRUE(model.rename("Middle"));
    EXPECT_EQ(sections(), (std::vector<std::string>{"Macro_0", "Middle", "Macro_2"}));
    EXPECT_EQ(IniDocument::load(data.folder.record_ini())->get("Middle", "MacroLoopTimes"), "5");
    const EncodedMacros encoded = model.encode_blocks();
    EXPECT_EQ(encoded.blocks[0][3], 0x04);  // macro 0 is still block 0, now with its release
    EXPECT_EQ(encoded.blocks[0][5], 0x04);
    EXPECT_EQ(encoded.blocks[1][3], 0x05);
}

TEST_F(MacroManagerModelTest, LoadingKeepsEachMacrosLoopCount) {
    write_three();
    ASSERT_TRUE(model.load_list());  // the first macro loops once: option off
    EXPECT_FALSE(model.loop_option);
    ASSERT_TRUE(model.select(1));
    EXPECT_TRUE(model.loop_option);
    EXPECT_EQ(model.loop_text(), "5");
    EXPECT_FALSE(model.record_delays);
    EXPECT_EQ(IniDocument::load(data.folder.record_ini())->get("Macro_1", "MacroLoopTimes"), "5");
}

TEST_F(MacroManagerModelTest, LoopTimesAreClampedAndWrittenAtOnce) {
    write_three();
    ASSERT_TRUE(model.load_list());
    ASSERT_TRUE(model.select(1));
    EXPECT_EQ(*model.set_loop_times("70000"), "1");
    EXPECT_EQ(*model.set_loop_times("300"), "300");
    EXPECT_EQ(IniDocument::load(data.folder.record_ini())->get("Macro_1", "MacroLoopTimes"), "300");
    EXPECT_EQ(model.working_blocks()[1][0], 0x01);
    EXPECT_EQ(model.working_blocks()[1][1], 0x2C);
    model.loop_option = false;
    EXPECT_EQ(*model.set_loop_times("300"), "300");  // the box keeps the text, the mouse gets 1
    EXPECT_EQ(IniDocument::load(data.folder.record_ini())->get("Macro_1", "MacroLoopTimes"), "1");
}

TEST_F(MacroManagerModelTest, RenameRefusesBadNamesAndKeepsEmptyMacros) {
    write_three();
    ASSERT_TRUE(model.load_list());
    ASSERT_TRUE(model.select(2));  // Macro_2 has no items
    EXPECT_FALSE(model.rename(std::string(32, 'x')));
    EXPECT_FALSE(model.rename("a]b"));
    EXPECT_FALSE(model.rename(""));
    EXPECT_FALSE(model.rename("macro_0"));  // another macro's section
    EXPECT_TRUE(model.rename(std::string(31, 'x')));
    EXPECT_EQ(sections(), (std::vector<std::string>{"Macro_0", "Macro_1", std::string(31, 'x')}));
    EXPECT_TRUE(model.rename("宏一二三"));
}

TEST_F(MacroManagerModelTest, ItemEditsFollowTheMenuRules) {
    write_three();
    ASSERT_TRUE(model.load_list());
    model.items().clear();
    EXPECT_TRUE(*model.insert_mouse_button('L', -1));  // empty list: inserted at the top
    EXPECT_EQ(model.items(), (std::vector<std::string>{"L-Button   Dn", "L-Button   Up"}));
    EXPECT_FALSE(*model.insert_mouse_button('R', -1));  // nothing selected in a full list
    EXPECT_TRUE(*model.insert_mouse_button('M', 0));
    EXPECT_EQ(model.items()[1], "M-Button   Dn");
    EXPECT_FALSE(*model.insert_delay(0));  // the first item
    EXPECT_TRUE(*model.insert_delay(1));
    EXPECT_EQ(model.items()[1], "50 ms");
    EXPECT_FALSE(*model.insert_delay(1));  // on a delay
    EXPECT_FALSE(*model.insert_delay(2));  // under a delay
    EXPECT_TRUE(*model.commit_delay_edit(1, "100ms"));
    EXPECT_EQ(model.items()[1], "100 ms");
    EXPECT_FALSE(*model.commit_delay_edit(1, "1x0 ms"));
    EXPECT_EQ(model.items()[1], "100 ms");
    EXPECT_TRUE(*model.commit_delay_edit(1, "99999999 ms"));
    EXPECT_EQ(model.items()[1], "6553500 ms");
    EXPECT_TRUE(*model.commit_delay_edit(1, "7 ms"));
    EXPECT_EQ(model.items()[1], "7  ms");  // a typed blank is kept and gains a second one
    EXPECT_EQ(IniDocument::load(data.folder.record_ini())->get("Macro_0", "Item1"), "7  ms");
}

}  // namespace
}  // namespace p330

namespace p330 {
namespace {

TEST(MacroItemTextTest, TypedLinesBecomeItemsOrAreRefused) {
    const std::pair<const char*, const char*> cases[] = {
        {"A   Dn", "A   Dn"},
        {"Num +   Up", "Num +   Up"},
        {"L-Button   Dn", "L-Button   Dn"},
        {"50 ms", "50 ms"},
        {"120ms", "120 ms"},
        {"6553500 ms", "6553500 ms"},
        {"6553501 ms", nullptr},
        {"a   Dn", "A   Dn"},
        {"A\t Up", "A   Up"},
        {"ctrl dn", "Ctrl   Dn"},
        {"ADn", nullptr},
        {"Application   Dn", nullptr},
        {"x ms", nullptr},
        {" ms", nullptr},
    };
    for (const auto& [text, item] : cases) {
        const auto got = macro_item_from_text(text);
        EXPECT_EQ(got.has_value(), item != nullptr) << text;
        if (got && item) {
            EXPECT_EQ(*got, item);
        }
    }
}

}  // namespace
}  // namespace p330
