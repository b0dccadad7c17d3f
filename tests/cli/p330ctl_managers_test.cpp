// The profile and macro commands against their managers' limits, JSON and help everywhere,
// and the error exits.

#include <gtest/gtest.h>

#include "cli/ctl_fixture.h"
#include "core/flows/profile_files.h"
#include "core/formats/ini_document.h"

namespace p330 {
namespace {

using ManagersTest = test::CtlTest;

TEST_F(ManagersTest, ProfileListFollowsTheManagersRules) {
    EXPECT_EQ(ctl({"profile", "delete", "5"}).exit_code, 0);
    const auto added = ctl({"profile", "new"});
    ASSERT_EQ(added.exit_code, 0) << added.err;
    EXPECT_NE(added.out.find("PROFILE_5 at position 5"), std::string::npos) << added.out;
    const auto full = ctl({"profile", "new"});
    EXPECT_EQ(full.exit_code, 2);
    EXPECT_NE(full.err.find("Profile numbers up to 6."), std::string::npos);
    EXPECT_EQ(ctl({"profile", "copy", "1"}).exit_code, 2);
    ASSERT_EQ(ctl({"profile", "rename", "1", "Work"}).exit_code, 0);
    ASSERT_EQ(ctl({"profile", "select", "Work"}).exit_code, 0);
    EXPECT_EQ(ctl({"profile", "select", "Nope"}).exit_code, 2);
    const auto list = ctl({"profiles", "--json"});
    EXPECT_NE(list.out.find("{\"schema\":1,\"current\":1,"), std::string::npos) << list.out;
    EXPECT_NE(ctl({"profiles"}).out.find("* 1  Work"), std::string::npos);
    // The active profile follows the current entry.
    ASSERT_EQ(ctl({"set", "dpi.3=3000"}).exit_code, 0);
    EXPECT_EQ(ctl({"get", "--profile", "1", "dpi.3"}).out, "3000\n");
}

TEST_F(ManagersTest, ExportThenImportCarriesSettingsAndLabels) {
    ASSERT_EQ(ctl({"set", "dpi.1=2000", "button.2=key:B"}).exit_code, 0);
    const auto out = data() / "out" / "mine";
    std::filesystem::create_directory(data() / "out");
    const auto exported = ctl({"profile", "export", "0", out.string()});
    ASSERT_EQ(exported.exit_code, 0) << exported.err;
    EXPECT_TRUE(std::filesystem::exists(data() / "out" / "mine.ini"));
    EXPECT_TRUE(std::filesystem::exists(data() / "mine.bin"));  // the copy in the data folder
    const auto imported = ctl({"profile", "import", "3", out.string() + ".bin"});
    ASSERT_EQ(imported.exit_code, 0) << imported.err;
    EXPECT_EQ(ctl({"get", "--profile", "3", "dpi.1", "button.2"}).out,
              "dpi.1=2000\nbutton.2=key:B\n");
    EXPECT_EQ(read_profile_ini(data() / "str3.ini", Language::kEnglish).labels[1], "Single Key-B");
    write("bad.bin", "short");
    EXPECT_EQ(ctl({"profile", "import", "3", (data() / "bad.bin").string()}).exit_code, 4);
}

TEST_F(ManagersTest, MacroCommandsFollowTheManagersRules) {
    for (int i = 3; i < 12; ++i) {
        const auto run = ctl({"macro", "new"});
        ASSERT_EQ(run.exit_code, 0) << run.err;
    }
    const auto full = ctl({"macro", "new"});
    EXPECT_EQ(full.exit_code, 2);
    EXPECT_NE(full.err.find("Macro numbers up to 12."), std::string::npos);
    ASSERT_EQ(ctl({"macro", "delete", "Type_GG"}).exit_code, 0);
    EXPECT_EQ(ctl({"macro", "new", "bad[name]"}).exit_code, 2);
    ASSERT_EQ(ctl({"macro", "new", "Mine"}).exit_code, 0);
    EXPECT_EQ(ctl({"macro", "rename", "Mine", "Triple_Click"}).exit_code, 2);  // name taken
    EXPECT_EQ(ctl({"macro", "set-loop", "Mine", "0"}).exit_code, 2);
    ASSERT_EQ(ctl({"macro", "set-loop", "Mine", "70"}).exit_code, 0);

    write("items.txt", "Ctrl   Dn\n30000 ms\nA   Dn\r\nA   Up\n\nCtrl   Up\n");
    const auto imported = ctl({"macro", "import-items", "Mine", (data() / "items.txt").string()});
    ASSERT_EQ(imported.exit_code, 0) << imported.err;
    EXPECT_NE(imported.out.find("loop    70    5 items   6/63 pairs"), std::string::npos)
        << imported.out;
    write("bad.txt", "A   Dn\nA Upp\n");
    const std::string before = read("record.ini");
    const auto bad = ctl({"macro", "import-items", "Mine", (data() / "bad.txt").string()});
    EXPECT_EQ(bad.exit_code, 2);
    EXPECT_NE(bad.err.find("bad.txt:2"), std::string::npos) << bad.err;
    EXPECT_EQ(read("record.ini"), before);

    const auto show = ctl({"macro", "show", "Mine", "--json"});
    EXPECT_NE(show.out.find("\"pairs\":6,\"capacity\":63,\"cut\":false"), std::string::npos)
        << show.out;
    EXPECT_EQ(ctl({"macro", "show", "Nope"}).exit_code, 2);
}

TEST_F(ManagersTest, EveryCommandWritesJsonWithItsSchema) {
    std::filesystem::create_directory(data() / "win");
    write("win/str.ini", "[Skins]\nLan=EN\n[Profile]\nItemCount=1\nItem0=A\nCurProfileName=A\n");
    const std::vector<std::vector<std::string>> commands = {
        {"devices", "--device", "sim"},
        {"status", "--device", "sim"},
        {"apply", "--device", "sim"},
        {"show", (data() / "config0.bin").string()},
        {"get"},
        {"get", "rate"},
        {"set", "rate=500"},
        {"reset"},
        {"profiles"},
        {"profile", "select", "0"},
        {"macros"},
        {"macro", "list"},
        {"macro", "set-loop", "Type_GG", "2"},
        {"import-windows", (data() / "win").string()},
    };
    for (auto args : commands) {
        args.push_back("--json");
        const auto run = ctl(args);
        EXPECT_EQ(run.exit_code, 0) << args[0] << ": " << run.err;
        EXPECT_EQ(run.out.rfind("{\"schema\":1,", 0), 0u) << args[0] << ": " << run.out;
        EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << args[0];
    }
}

TEST_F(ManagersTest, WatchPrintsOneJsonObjectPerLine) {
    const auto run = test::run_program(
        "/usr/bin/timeout", {"--preserve-status", "-s", "INT", "1", P330CTL_PATH, "--data-dir",
                             data().string(), "--device", "sim", "watch", "--json"});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out.rfind("{\"schema\":1,\"event\":\"watching\",", 0), 0u) << run.out;
}

TEST_F(ManagersTest, HelpForEachCommandAndTheErrorExits) {
    for (const char* command : {"set", "profile", "macro", "import-windows", "watch"}) {
        const auto help = ctl({"help", command});
        EXPECT_EQ(help.exit_code, 0);
        EXPECT_EQ(help.out, ctl({command, "--help"}).out);
        EXPECT_NE(help.out.find(std::string("Usage: p330ctl ") + command), std::string::npos);
    }
    EXPECT_NE(ctl({"help", "set"}).out.find("macro:NAME[@count|@toggle|@hold]"), std::string::npos);
    EXPECT_EQ(ctl({"help", "nope"}).exit_code, 2);

    const auto state = data() / "mouse.state";
    const auto trace = ctl({"--device", "sim:" + state.string(), "--trace",
                            (data() / "none" / "trace").string(), "set", "--apply", "rate=125"});
    EXPECT_EQ(trace.exit_code, 4);
    EXPECT_NE(trace.err.find("cannot write the trace file"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(state));
    EXPECT_EQ(ctl({"get", "rate"}).out, "1000\n");

    // Names from files reach the terminal without their control characters.
    IniDocument list = *IniDocument::load(data() / "str.ini");
    list.set("Profile", "Item2", "evil\x1b[2J");
    ASSERT_TRUE(list.save(data() / "str.ini"));
    EXPECT_NE(ctl({"profiles"}).out.find("evil\\x1B[2J"), std::string::npos);
}

}  // namespace
}  // namespace p330
