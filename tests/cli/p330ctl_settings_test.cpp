// get, set and reset end to end: every key, every button function, the left-key rule, and a
// change that reaches the simulated mouse.

#include <gtest/gtest.h>

#include "cli/ctl_fixture.h"
#include "core/buttons/button_assignment.h"
#include "core/device/clock.h"
#include "core/device/simulated_mouse.h"
#include "core/flows/profile_files.h"
#include "core/util/hex.h"
#include "core/util/text_encoding.h"

namespace p330 {
namespace {

using SetTest = test::CtlTest;

struct KeyCase {
    const char* key;
    const char* value;
    const char* reads_back;
    std::vector<const char*> bad;
};

const KeyCase kKeys[] = {
    {"dpi.1", "175", "150", {"99", "5001", "", "1e3", "-100", " 800"}},
    {"dpi.4", "5000", "5000", {"6000", "abc"}},
    {"colour.2", "#ff8000", "#FF8000", {"FF8000", "#FF800", "#GG0000", "#FF80001"}},
    {"rate", "125", "125", {"100", "0", "1000Hz"}},
    {"light.mode", "Neon", "neon", {"none", "2"}},  // words in any case, stored as listed
    {"light.standard", "1", "1", {"0", "7"}},
    {"light.respiration", "6", "6", {"0", "7"}},
    {"light.neon", "3", "3", {"7", "3.5"}},
    {"sensitivity.x", "11", "11", {"0", "12"}},
    {"sensitivity.y", "1", "1", {"0", "12"}},
    {"angle-snap", "10", "10", {"0", "11"}},
    {"pointer.speed", "1", "1", {"0", "13"}},
    {"pointer.precision", "ON", "on", {"no", "0"}},
    {"double-click", "2", "2", {"1", "13"}},
    {"scroll.lines", "100", "100", {"0", "101"}},
    {"scroll.page", "on", "on", {"yes"}},
    {"language", "cht", "CHT", {"DE"}},
    {"button.8", "Hotkey:Undo", "hotkey:undo", {"undo", "key:nope"}},
    {"button.7",
     "combo:left ctrl+num enter",
     "combo:Left Ctrl+Num Enter",
     {"combo:left ctrl+nope"}},
};

TEST_F(SetTest, EveryKeyTakesItsValuesAndRefusesOthersWithoutWriting) {
    for (const KeyCase& c : kKeys) {
        for (const char* bad : c.bad) {
            const std::string before = profile_files();
            const auto run = ctl({"set", std::string(c.key) + "=" + bad});
            EXPECT_EQ(run.exit_code, 2) << c.key << "=" << bad;
            EXPECT_NE(run.err.find(c.key), std::string::npos) << run.err;
            EXPECT_EQ(profile_files(), before) << c.key << "=" << bad;
        }
        const auto set = ctl({"set", std::string(c.key) + "=" + c.value});
        ASSERT_EQ(set.exit_code, 0) << c.key << ": " << set.err;
        EXPECT_EQ(ctl({"get", c.key}).out, std::string(c.reads_back) + "\n") << c.key;
    }
    // One refused value among good ones writes nothing at all.
    const std::string before = profile_files();
    EXPECT_EQ(ctl({"set", "dpi.2=400", "rate=7"}).exit_code, 2);
    EXPECT_EQ(profile_files(), before);
    EXPECT_EQ(ctl({"set", "nokey=1"}).exit_code, 2);
    EXPECT_EQ(ctl({"set", "dpi.2"}).exit_code, 2);
}

TEST_F(SetTest, EveryButtonFunctionRoundTripsWithTheCoresCodeAndLabel) {
    const std::vector<std::string> macros = {"Select_All_Copy", "Triple_Click", "Type_GG"};
    const char* functions[] = {"menu",
                               "scroll:middle",
                               "scroll:up",
                               "scroll:down",
                               "forward",
                               "back",
                               "double-click",
                               "dpi:up",
                               "dpi:down",
                               "dpi:loop",
                               "media:media-player",
                               "media:next-track",
                               "media:pre-track",
                               "media:stop",
                               "media:play/pause",
                               "media:mute",
                               "media:volume-up",
                               "media:volume-down",
                               "hotkey:new",
                               "hotkey:cut",
                               "hotkey:copy",
                               "hotkey:paste",
                               "hotkey:save",
                               "hotkey:print",
                               "hotkey:find",
                               "hotkey:redo",
                               "hotkey:undo",
                               "hotkey:select-all",
                               "windows:my-computer",
                               "windows:browser-home",
                               "windows:search",
                               "windows:maximum",
                               "windows:minimum",
                               "windows:show-desktop",
                               "windows:run",
                               "key:A",
                               "key:Num Enter",
                               "key:\\",
                               "combo:Left Ctrl+C",
                               "combo:Right Win+F1+F2",
                               "macro:Triple_Click@count",
                               "macro:Type_GG@toggle",
                               "macro:Select_All_Copy@hold",
                               "off",
                               "click"};
    ASSERT_EQ(ctl({"set", "language=CHS"}).exit_code, 0);
    for (const char* function : functions) {
        const auto set = ctl({"set", std::string("button.3=") + function});
        ASSERT_EQ(set.exit_code, 0) << function << ": " << set.err;
        EXPECT_EQ(ctl({"get", "button.3"}).out, std::string(function) + "\n");

        SettingsRecord expected{};
        const std::string label = commit_button_choice(
            expected, 2, *parse_button_function(function, macros), Language::kSimplifiedChinese);
        const SettingsRecord written = read_profile_image(data() / "config0.bin")->record;
        EXPECT_EQ(to_hex(encode_button_code(written, 2)), to_hex(encode_button_code(expected, 2)))
            << function;
        EXPECT_EQ(read_profile_ini(data() / "str0.ini", Language::kSimplifiedChinese).labels[2],
                  label);
    }
}

TEST_F(SetTest, KeyNamesAreListedAndTakenInAnyCaseAndWideNamesStayInColumn) {
    EXPECT_NE(ctl({"help", "keys"}).out.find("\n  Num Enter\n"), std::string::npos);
    EXPECT_NE(ctl({"set", "button.4=key:nope"}).err.find("help keys"), std::string::npos);
    EXPECT_EQ(ctl({"get", "name"}).out, "PROFILE_0\n");
    write("items.txt", "a Dn\n30ms\nA\t Up\n");
    ASSERT_EQ(ctl({"macro", "new", "中文宏"}).exit_code, 0);
    ASSERT_EQ(ctl({"macro", "import-items", "中文宏", (data() / "items.txt").string()}).exit_code,
              0);
    EXPECT_NE(read("record.ini").find("Item0=A   Dn\nItem1=30 ms\nItem2=A   Up\n"),
              std::string::npos);
    const std::string list = ctl({"macros"}).out;
    const auto loop_column = [&](const std::string& name) {
        const std::size_t start = list.rfind('\n', list.find(name)) + 1;
        return display_width(list.substr(start, list.find("loop", start) - start));
    };
    EXPECT_EQ(loop_column("中文宏"), loop_column("Type_GG")) << list;
}

TEST_F(SetTest, TheLastLeftKeyStays) {
    const std::string before = profile_files();
    const auto refused = ctl({"set", "button.1=menu"});
    EXPECT_EQ(refused.exit_code, 2);
    EXPECT_EQ(refused.err, "p330ctl: Left key must be selected!\n");
    EXPECT_EQ(profile_files(), before);
    EXPECT_EQ(ctl({"set", "button.2=click", "button.1=menu"}).exit_code, 0);
    EXPECT_EQ(ctl({"set", "button.2=off"}).exit_code, 2);
    EXPECT_EQ(ctl({"set", "button.2=click"}).exit_code, 0);  // the last click may stay a click
}

TEST_F(SetTest, SetApplyReachesTheSimulatedMouseAndResetBringsTheDefaultsBack) {
    const auto state = data() / "mouse.state";
    const std::string sim = "--device=sim:" + state.string();
    const auto set = ctl({sim, "set", "--apply", "--json", "dpi.2=4000", "button.4=key:A"});
    ASSERT_EQ(set.exit_code, 0) << set.err;
    EXPECT_EQ(set.out.rfind("{\"schema\":1,", 0), 0u) << set.out;
    EXPECT_NE(set.out.find("\"transfers\":47,\"failed\":0"), std::string::npos) << set.out;

    auto mouse_slot = [&] {
        SimulatedMouse mouse(SystemClock::instance());
        EXPECT_TRUE(mouse.attach_state_file(state));
        return mouse.slot(0);
    };
    SimulatedSlot slot = mouse_slot();
    EXPECT_EQ(slot.parameters[0x55], 4000 / 50);
    EXPECT_EQ(to_hex(std::span(slot.buttons).subspan(std::size_t{4} * 14, 4)),
              "00 00 04 00");  // button 4

    ASSERT_EQ(ctl({sim, "reset", "--apply"}).exit_code, 0);
    EXPECT_EQ(ctl({"get", "dpi.2", "button.4"}).out, "dpi.2=1600\nbutton.4=scroll:up\n");
    EXPECT_EQ(mouse_slot().parameters[0x55], 1600 / 50);
}

TEST_F(SetTest, GetPrintsWhatShowPrintsAndMore) {
    const auto show = ctl({"show", (data() / "config2.bin").string()});
    const auto get = ctl({"get", "--profile", "2"});
    ASSERT_EQ(get.exit_code, 0) << get.err;
    EXPECT_NE(get.out.find(show.out), std::string::npos);
    EXPECT_NE(get.out.find("Label 8           IE Backward"), std::string::npos) << get.out;
    const auto json = ctl({"get", "--json", "--profile", "2"});
    EXPECT_NE(json.out.find("\"settings\":{\"dpi.1\":800,"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"kind_name\":\"dpi\""), std::string::npos);
}

}  // namespace
}  // namespace p330
