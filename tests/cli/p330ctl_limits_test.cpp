// Every command's limits at their edges (the last value taken, the first refused), the profile
// list's rules, and what status accepts from the mouse.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/ctl_fixture.h"

namespace p330 {
namespace {

namespace fs = std::filesystem;

using LimitsTest = test::CtlTest;

TEST_F(LimitsTest, EveryLimitTakesItsLastValueAndRefusesTheNext) {
    using Args = std::vector<std::string>;
    struct Edge {
        Args taken;
        Args refused;
    };
    const std::string s = sim();
    const Edge edges[] = {
        {{"set", "--profile", "5", "dpi.1=200"}, {"set", "--profile", "6", "dpi.1=300"}},
        {{"set", "--profile", "0", "dpi.2=200"}, {"set", "--profile", "-1", "dpi.2=300"}},
        {{"get", "--profile", "5"}, {"get", "--profile", "6"}},
        {{"get", "--profile", "1"}, {"get", "--profile", "1x"}},
        {{"get", "--profile", "1"}, {"get", "--profile", "15"}},
        {{s, "apply", "--profile", "5"}, {s, "apply", "--profile", "6"}},
        {{"macro", "set-loop", "Type_GG", "1"}, {"macro", "set-loop", "Type_GG", "0"}},
        {{"macro", "set-loop", "Type_GG", "65535"}, {"macro", "set-loop", "Type_GG", "65536"}},
        {{"profile", "select", "5"}, {"profile", "select", "6"}},
        {{"profile", "rename", "5", "Last"}, {"profile", "rename", "6", "Past"}},
    };
    for (const Edge& e : edges) {
        const auto taken = ctl(e.taken);
        EXPECT_EQ(taken.exit_code, 0) << e.taken.back() << ": " << taken.err;
        const std::string before = profile_files() + read("config5.bin") + read("str5.ini");
        const auto refused = ctl(e.refused);
        EXPECT_EQ(refused.exit_code, 2) << e.refused.back();
        EXPECT_FALSE(refused.err.empty());
        EXPECT_EQ(profile_files() + read("config5.bin") + read("str5.ini"), before)
            << e.refused.back();
    }
    EXPECT_FALSE(fs::exists(data() / "config6.bin"));
    EXPECT_FALSE(fs::exists(data() / "str6.ini"));
    EXPECT_EQ(record_hex("config5.bin", 0x07), "04");  // dpi.1=200 went to profile 5
    EXPECT_NE(read("record.ini").find("MacroLoopTimes=65535"), std::string::npos);
    EXPECT_NE(ctl({"macro", "show", "Type_GG"}).out.find("65535"), std::string::npos);
    EXPECT_NE(read("str.ini").find("Item5=Last\n"), std::string::npos);
    EXPECT_NE(read("str.ini").find("CurProfileName=Last\n"), std::string::npos);
}

TEST_F(LimitsTest, DeletingKeepsTheCurrentEntryAndTheLastProfile) {
    ASSERT_EQ(ctl({"profile", "select", "PROFILE_3"}).exit_code, 0);
    ASSERT_EQ(ctl({"profile", "delete", "1"}).exit_code, 0);  // above the current entry
    EXPECT_NE(read("str.ini").find("CurProfileName=PROFILE_3\n"), std::string::npos);
    EXPECT_NE(ctl({"profiles", "--json"}).out.find("\"current\":2,"), std::string::npos);
    ASSERT_EQ(ctl({"profile", "delete", "4"}).exit_code, 0);  // below it
    EXPECT_NE(read("str.ini").find("CurProfileName=PROFILE_3\n"), std::string::npos);
    EXPECT_NE(ctl({"profiles"}).out.find("* 2  PROFILE_3"), std::string::npos);

    for (int n = 0; n < 3; ++n) ASSERT_EQ(ctl({"profile", "delete", "0"}).exit_code, 0);
    const std::string before = read("str.ini");
    EXPECT_NE(before.find("ItemCount=1\n"), std::string::npos) << before;
    const auto last = ctl({"profile", "delete", "0"});
    EXPECT_EQ(last.exit_code, 2);
    EXPECT_FALSE(last.err.empty());
    EXPECT_EQ(read("str.ini"), before);
    EXPECT_EQ(ctl({"get", "dpi.1"}).exit_code, 0);
}

// status shows the mouse's four stages when each is a DPI the mouse can have, 50 to 5000, and
// nothing when one is not.
TEST_F(LimitsTest, StatusTakesEveryStageUpToTheMousesMaximum) {
    ASSERT_EQ(ctl({sim(), "status"}).exit_code, 0);
    struct Case {
        std::size_t stage;
        const char* stored;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {4, "64", 0, "5000"},    {4, "65", 1, "5050"},
        {4, "00", 1, "stage 4"}, {1, "01", 0, "50"},
        {1, "00", 1, "stage 1"}, {3, "FF", 1, "does not understand: DPI 12750 for stage 3"},
    };
    for (const Case& c : cases) {
        patch_sim("slot 0 parameters", 0x53 + c.stage, c.stored);
        const auto run = ctl({sim(), "status", "--json"});
        EXPECT_EQ(run.exit_code, c.code) << c.stage << "=" << c.stored << ": " << run.err;
        EXPECT_NE((run.out + run.err).find(c.says), std::string::npos) << run.out << run.err;
        EXPECT_EQ(run.out.find("dpi_stages") != std::string::npos, c.code == 0) << run.out;
        patch_sim("slot 0 parameters", 0x53 + c.stage, "08");
    }
}

}  // namespace
}  // namespace p330
