// What both programs read and write the same way: macros made here reach the mouse, a file
// the program never wrote is refused by every reader, the profile list's current entry, and
// the language as the whole program's.

#include <gtest/gtest.h>

#include <random>

#include "cli/ctl_fixture.h"
#include "core/formats/profile_list.h"

namespace p330 {
namespace {

using OneCoreTest = test::CtlTest;

// Made, filled and given to a button from the command line, a macro is what the mouse plays.
TEST_F(OneCoreTest, AMacroMadeHereReachesTheMouseAndFollowsItsName) {
    ASSERT_EQ(ctl({"macro", "new", "Greet"}).exit_code, 0);
    write("items.txt", "H   Dn\nH   Up\nI   Dn\nI   Up\n");
    ASSERT_EQ(ctl({"macro", "import-items", "Greet", (data() / "items.txt").string()}).exit_code,
              0);
    ASSERT_EQ(ctl({"set", "button.4=macro:Greet"}).exit_code, 0);
    ASSERT_EQ(ctl({sim(), "apply"}).exit_code, 0);
    // Greet is the fourth section: block 4, H (0x0B) and I (0x0C) pressed and released.
    EXPECT_EQ(sim_hex("slot 0 macro 4", 0, 10), "0001050B850B050C850C");
    EXPECT_EQ(record_hex("config0.bin", 0xCC + 3), "03");

    // Deleting a macro above it moves Greet to block 3; the button follows it there.
    ASSERT_EQ(ctl({"macro", "delete", "Triple_Click"}).exit_code, 0);
    EXPECT_EQ(record_hex("config0.bin", 0xCC + 3), "02");
    ASSERT_EQ(ctl({sim(), "apply"}).exit_code, 0);
    EXPECT_EQ(sim_hex("slot 0 macro 3", 0, 4), "0001050B");
    EXPECT_EQ(ctl({"get", "button.4"}).out, "macro:Greet@count\n");

    // A count past one byte, and a rename the button follows.
    ASSERT_EQ(ctl({"macro", "set-loop", "Greet", "300"}).exit_code, 0);
    EXPECT_EQ(record_hex("config0.bin", 0xDC + 2 * 128, 2), "012C");
    ASSERT_EQ(ctl({"macro", "rename", "Greet", "Hello"}).exit_code, 0);
    EXPECT_EQ(ctl({"get", "button.4"}).out, "macro:Hello@count\n");
    EXPECT_NE(read("str0.ini").find("Item4=Macro Key-Hello\n"), std::string::npos);

    // Names are counted in characters: 31 wide ones are a name, 32 are not.
    std::string wide;
    for (int i = 0; i < 31; ++i) wide += "宏";
    EXPECT_EQ(ctl({"macro", "rename", "Hello", wide + "宏"}).exit_code, 2);
    ASSERT_EQ(ctl({"macro", "rename", "Hello", wide}).exit_code, 0);
    EXPECT_EQ(ctl({"get", "button.4"}).out, "macro:" + wide + "@count\n");
}

// A button whose macro is deleted takes back its shipped function, and says so; the others
// follow their macros through the deletion and a rename, in every profile.
TEST_F(OneCoreTest, AButtonWhoseMacroIsDeletedTakesBackItsDefaultTheOthersFollow) {
    for (const char* name : {"Greeting", "Mine"})
        ASSERT_EQ(ctl({"macro", "new", name}).exit_code, 0);
    ASSERT_EQ(ctl({"set", "button.3=macro:Mine", "button.4=macro:Greeting@toggle"}).exit_code, 0);
    ASSERT_EQ(ctl({"set", "--profile", "1", "button.5=macro:Mine"}).exit_code, 0);
    ASSERT_EQ(ctl({"set", "--profile", "5", "button.6=macro:Greeting"}).exit_code, 0);
    ASSERT_EQ(ctl({"macro", "delete", "Triple_Click"}).exit_code, 0);  // both move up
    // Every profile's buttons follow their macros: the one after the current, the last.
    EXPECT_EQ(ctl({"get", "--profile", "1", "button.5"}).out, "macro:Mine@count\n");
    EXPECT_EQ(ctl({"get", "--profile", "5", "button.6"}).out, "macro:Greeting@count\n");
    ASSERT_EQ(ctl({"macro", "rename", "Greeting", "Hi"}).exit_code, 0);
    EXPECT_EQ(ctl({"get", "--profile", "5", "button.6"}).out, "macro:Hi@count\n");
    const auto deleted = ctl({"macro", "delete", "Mine"});
    EXPECT_NE(deleted.err.find("function: button 3 (Mouse M Button)"), std::string::npos);
    EXPECT_NE(deleted.err.find("PROFILE_1: The macro"), std::string::npos);
    EXPECT_EQ(ctl({"get", "button.3"}).out + ctl({"get", "button.4"}).out +
                  ctl({"get", "--profile", "1", "button.5"}).out,
              "scroll:middle\nmacro:Hi@toggle\nscroll:down\n");
    EXPECT_NE(read("str0.ini").find("Item3=Mouse M Button\n"), std::string::npos);
    ASSERT_EQ(ctl({sim(), "apply"}).exit_code, 0);
    EXPECT_EQ(sim_hex("slot 0 buttons", std::size_t{4} * 2, 4), "0100F200");   // middle click
    EXPECT_EQ(sim_hex("slot 0 buttons", std::size_t{4} * 14, 4), "09010300");  // Hi is third
}

// Random bytes of the right size are not a profile: import, apply and show refuse them with
// one message, and nothing is written or sent.
TEST_F(OneCoreTest, AnImageTheProgramNeverWroteIsRefusedEverywhere) {
    std::mt19937 random(16);
    std::string noise(1757, '\0');
    for (char& byte : noise) byte = static_cast<char>(random());
    write("noise.bin", noise);
    const std::string before = profile_files();
    const std::string path = (data() / "noise.bin").string();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"profile", "import", "0", path}, {sim(), "apply", path}, {"show", path}}) {
        const auto run = ctl(args);
        EXPECT_EQ(run.exit_code, 4) << args[0];
        EXPECT_NE(run.err.find("noise.bin is not a profile this program wrote: "),
                  std::string::npos)
            << run.err;
    }
    EXPECT_EQ(profile_files(), before);
    EXPECT_FALSE(std::filesystem::exists(data() / "mouse.state"));
    // A script reading --json gets the failure as a document too.
    const auto json = ctl({"--json", "profile", "import", "0", path});
    EXPECT_NE(json.out.find("{\"schema\":1,\"error\":{\"exit_status\":4,\"message\":"),
              std::string::npos)
        << json.out;
}

// "Game" is current even when "Gamer" comes first; choosing keeps it so.
TEST_F(OneCoreTest, TheCurrentProfileIsTheOneNamedExactly) {
    ASSERT_EQ(ctl({"profile", "rename", "0", "Gamer"}).exit_code, 0);
    ASSERT_EQ(ctl({"profile", "rename", "1", "Game"}).exit_code, 0);
    ASSERT_EQ(ctl({"profile", "select", "Game"}).exit_code, 0);
    Result<ProfileList> list = read_profile_list(data() / "str.ini");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->current, 1);
    EXPECT_NE(ctl({"profiles"}).out.find("* 1  Game\n"), std::string::npos);
}

// The language is the program's: every INI it may start from says it after the change.
TEST_F(OneCoreTest, TheLanguageChangesForEveryProfileAndTheNextStart) {
    ASSERT_EQ(ctl({"set", "language=CHS"}).exit_code, 0);
    for (const char* ini : {"str.ini", "str0.ini", "str1.ini", "str5.ini"})
        EXPECT_NE(read(ini).find("Lan=CHS"), std::string::npos) << ini;
    EXPECT_EQ(ctl({"--profile", "3", "get", "language"}).out, "CHS\n");
}

}  // namespace
}  // namespace p330
