// get, set and reset end to end: every key, every button function, the left-key rule, and a
// change that reaches the simulated mouse.

#include <gtest/gtest.h>

#include "cli/ctl_fixture.h"
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
    {"dpi.1", "175", "150", {"99", "50", "5001", "", "1e3", "-100", " 800"}},
    {"dpi.4", "5000", "5000", {"5050", "6000", "abc"}},
    {"dpi.3", "100", "100", {}},
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
    EXPECT_EQ(record_hex("config0.bin", 0x07, 4), "03200264");  // DPI / 50, as stored
    // One refused value among good ones writes nothing at all.
    const std::string before = profile_files();
    EXPECT_EQ(ctl({"set", "dpi.2=400", "rate=7"}).exit_code, 2);
    EXPECT_EQ(profile_files(), before);
    EXPECT_EQ(ctl({"set", "nokey=1"}).exit_code, 2);
    EXPECT_EQ(ctl({"set", "dpi.2"}).exit_code, 2);
}

// Each function as the mouse gets it (the four bytes `show` prints) and as the window labels
// it, in the profile's language.
TEST_F(SetTest, EveryButtonFunctionRoundTripsWithItsCodeAndLabel) {
    const struct {
        const char* function;
        const char* code;
        const char* label;
    } functions[] = {
        {"menu", "01 00 F1 00", "右键"},
        {"scroll:middle", "01 00 F2 00", "滚轮"},
        {"scroll:up", "01 00 F7 00", "上滚轮"},
        {"scroll:down", "01 00 F8 00", "下滚轮"},
        {"forward", "01 00 F4 00", "前进方向键"},
        {"back", "01 00 F3 00", "后退方向键"},
        {"double-click", "0A F0 1E 02", "双击"},
        {"dpi:up", "07 00 01 00", "DPI +"},
        {"dpi:down", "07 00 02 00", "DPI -"},
        {"dpi:loop", "07 00 03 00", "DPI Loop"},
        {"media:media-player", "03 00 83 01", "多媒体播放器"},
        {"media:next-track", "03 00 B5 00", "下一首"},
        {"media:pre-track", "03 00 B6 00", "上一首"},
        {"media:stop", "03 00 B7 00", "停止"},
        {"media:play/pause", "03 00 CD 00", "播放/暂停"},
        {"media:mute", "03 00 E2 00", "静音"},
        {"media:volume-up", "03 00 E9 00", "音量+"},
        {"media:volume-down", "03 00 EA 00", "音量-"},
        {"hotkey:new", "00 00 E0 11", "新建"},
        {"hotkey:cut", "00 00 E0 1B", "剪切"},
        {"hotkey:copy", "00 00 E0 06", "复制"},
        {"hotkey:paste", "00 00 E0 19", "粘贴"},
        {"hotkey:save", "00 00 E0 16", "保存"},
        {"hotkey:print", "00 00 E0 13", "打印"},
        {"hotkey:find", "00 00 E0 09", "查找"},
        {"hotkey:redo", "00 00 E0 1C", "重复"},
        {"hotkey:undo", "00 00 E0 1D", "撤销"},
        {"hotkey:select-all", "00 00 E0 04", "全选"},
        {"windows:my-computer", "03 00 94 01", "我的电脑"},
        {"windows:browser-home", "03 00 23 02", "浏览器-主页"},
        {"windows:search", "03 00 21 02", "搜索"},
        {"windows:maximum", "00 04 2C 1B", "最大化"},
        {"windows:minimum", "00 04 2C 11", "最小化"},
        {"windows:show-desktop", "00 00 E3 07", "显示桌面"},
        {"windows:run", "00 00 E3 15", "运行"},
        {"key:A", "00 00 04 00", "单键-A"},
        {"key:Num Enter", "00 00 58 00", "单键-Num Enter"},
        {"combo:Left Ctrl+C", "00 01 06 00", "组合键-Left Ctrl+C"},
        {"combo:Right Win+F1+F2", "00 80 3A 3B", "组合键-Right Win+F1+F2"},
        {"macro:Triple_Click@count", "09 00 02 00", "宏-Triple_Click"},
        {"macro:Type_GG@toggle", "09 01 03 00", "宏-Type_GG"},
        {"macro:Select_All_Copy@hold", "09 02 01 00", "宏-Select_All_Copy"},
        {"off", "00 00 00 00", "按键关闭"},
        {"key:\\", "00 00 31 00", "单键-\\"},
        {"click", "01 00 F0 00", "左键"},
    };
    ASSERT_EQ(ctl({"set", "language=CHS"}).exit_code, 0);
    for (const auto& f : functions) {
        const auto set = ctl({"set", std::string("button.3=") + f.function});
        ASSERT_EQ(set.exit_code, 0) << f.function << ": " << set.err;
        EXPECT_NE(set.out.find("  button.3=" + std::string(f.function) + "\n"), std::string::npos)
            << set.out;  // as get prints it back
        const std::string shown = ctl({"show", (data() / "config0.bin").string()}).out;
        const std::size_t line = shown.find("\nButton 3 ");
        EXPECT_EQ(shown.substr(shown.find('[', line), 13), "[" + std::string(f.code) + "]")
            << f.function;
        EXPECT_EQ(read_profile_ini(data() / "str0.ini", Language::kSimplifiedChinese).labels[2],
                  f.label);
    }
    // Another function keeps the bytes of the ones before: the last key chosen, under Click.
    EXPECT_EQ(record_hex("config0.bin", 0x8C + 2), "31");
    ASSERT_EQ(ctl({"set", "language=CHT", "button.3=windows:show-desktop"}).exit_code, 0);
    EXPECT_EQ(read_profile_ini(data() / "str0.ini", Language::kTraditionalChinese).labels[2],
              "顯示桌面");
    ASSERT_EQ(ctl({"set", "button.3=macro:Type_GG"}).exit_code, 0);
    EXPECT_EQ(read_profile_ini(data() / "str0.ini", Language::kTraditionalChinese).labels[2],
              "巨集-Type_GG");
    // A macro by its number comes back by its name; texts that name nothing change nothing.
    EXPECT_NE(ctl({"set", "button.3=macro:#2@toggle"}).out.find("=macro:Triple_Click@toggle\n"),
              std::string::npos);
    const std::string before = profile_files();
    for (const char* bad : {"", "clicks", "click:x", "scroll", "scroll:left", "media:next track",
                            "key:", "key:Left Win", "combo:Left Ctrl+", "combo:Foo+A", "macro:Nope",
                            "macro:Type_GG@forever", "macro:#4", "macro:#0", "hotkey:Select All"})
        EXPECT_EQ(ctl({"set", std::string("button.3=") + bad}).exit_code, 2) << bad;
    EXPECT_EQ(profile_files(), before);
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
