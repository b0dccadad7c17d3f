#include "core/settings/settings_catalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace p330 {
namespace {

// setting(id) indexes the table: it holds one entry per id, in id order, each key once. A
// setting the mouse holds has bytes of its own in the parameter block, and one it does not
// has none.
TEST(SettingsCatalogueTest, EachIdFindsItsOwnEntryAndEachKeyOneEntry) {
    const std::vector<SettingEntry>& all = settings_catalogue();
    ASSERT_EQ(all.size(), static_cast<std::size_t>(kSettingCount));
    std::set<std::string> keys;
    for (int i = 0; i < kSettingCount; ++i) {
        const auto id = static_cast<SettingId>(i);
        EXPECT_EQ(setting(id).id, id) << all[static_cast<std::size_t>(i)].key;
        EXPECT_TRUE(keys.insert(setting(id).key).second) << setting(id).key;
        EXPECT_EQ(find_setting(setting(id).key), &setting(id));
        EXPECT_FALSE(setting(id).suggestions.empty()) << setting(id).key;
        EXPECT_EQ(static_cast<bool>(setting(id).encode), block_bytes(id).size > 0)
            << setting(id).key;
    }
    EXPECT_EQ(find_setting("dpi.5"), nullptr);
}

// set and import-text write the language first, then buttons put on Click, then the rest.
TEST(SettingsCatalogueTest, OneWritingOrderForEveryChange) {
    EXPECT_LT(writing_rank("language", "CHS"), writing_rank("button.2", "CLICK"));
    EXPECT_LT(writing_rank("button.2", "click"), writing_rank("button.1", "menu"));
    EXPECT_EQ(writing_rank("button.1", "menu"), writing_rank("dpi.1", "800"));
    EXPECT_EQ(writing_rank("no.such.key", "click"), writing_rank("dpi.1", "800"));
}

}  // namespace
}  // namespace p330
