#include "core/macro/macro_button_links.h"

#include <gtest/gtest.h>

#include "core/buttons/button_code.h"
#include "core/formats/ini_document.h"
#include "core/macro/macro_manager_model.h"
#include "fixtures/data_folder.h"

namespace p330 {
namespace {

class MacroButtonLinksTest : public ::testing::Test {
  protected:
    void SetUp() override {
        data.write("record.ini",
                   "[Macro_0]\nDelayTimeSelStatus=1\nMacroLoopTimes=1\nItemCount=1\nItem0=A   Dn\n"
                   "[Macro_1]\nDelayTimeSelStatus=0\nMacroLoopTimes=5\nItemCount=1\nItem0=B   Dn\n"
                   "[Macro_2]\nDelayTimeSelStatus=1\nMacroLoopTimes=2\nItemCount=0\n");
        ASSERT_TRUE(model.load_list());
        // Button 3 plays Macro_2, button 5 Macro_1.
        assign(2, 2, "Macro_2");
        assign(4, 1, "Macro_1");
    }
    void assign(int button, int index, const std::string& name) {
        record.button_kind[button] = kKindMacroKey;
        record.button_macro[button] = static_cast<std::uint8_t>(index);
        labels[static_cast<std::size_t>(button)] = "Macro Key-" + name;
    }
    MacroButtonLinks relink() {
        return relink_macro_buttons(record, labels, Language::kEnglish,
                                    IniDocument::load(data.folder.record_ini())->section_names(),
                                    model.renames());
    }

    test::TestDataFolder data;
    MacroManagerModel model{data.folder.record_ini()};
    SettingsRecord record{};
    std::array<std::string, kButtonCount> labels;
};

TEST_F(MacroButtonLinksTest, ButtonsFollowTheirMacroThroughEditsRenamesAndDeletions) {
    ASSERT_TRUE(model.select(2));  // edited: stays macro 2
    model.items().push_back("C   Dn");
    ASSERT_TRUE(model.save_macro());
    ASSERT_TRUE(model.rename("Shoot"));  // renamed: the label follows
    ASSERT_TRUE(model.select(0));        // one before both is deleted: both move up
    ASSERT_TRUE(model.delete_macro());

    MacroButtonLinks links = relink();
    EXPECT_TRUE(links.lost.empty());
    EXPECT_EQ(links.moved, 2);
    EXPECT_EQ(record.button_macro[2], 1);
    EXPECT_EQ(labels[2], "Macro Key-Shoot");
    EXPECT_EQ(record.button_macro[4], 0);
    EXPECT_EQ(labels[4], "Macro Key-Macro_1");
}

TEST_F(MacroButtonLinksTest, AButtonWhoseMacroWasDeletedGoesBackToItsDefaultAndIsReported) {
    ASSERT_TRUE(model.select(1));
    ASSERT_TRUE(model.delete_macro());
    MacroButtonLinks links = relink();  // no default profile at hand: the button is turned off
    EXPECT_EQ(labels[4], "Button Off");
    EXPECT_EQ(record.button_macro[2], 1);  // Macro_2 moved up
    EXPECT_EQ(lost_macro_buttons_message(Language::kEnglish, links.lost),
              "The macro of these buttons was deleted; they are back on their default function: "
              "button 5 (Button Off)");
    EXPECT_NE(lost_macro_buttons_message(Language::kTraditionalChinese, links.lost).find("巨集"),
              std::string::npos);
}

}  // namespace
}  // namespace p330
