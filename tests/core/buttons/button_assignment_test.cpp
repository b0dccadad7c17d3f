#include "core/buttons/button_assignment.h"

#include <gtest/gtest.h>

#include "fixtures/records.h"

namespace p330 {
namespace {

const std::vector<std::string> kMacros = {"Select_All", "Triple_Click"};

struct Case {
    const char* text;
    const char* code;
    const char* label_en;
    const char* label_chs;
};

// Every kind, every sub-list item that has an edge, and the dialog kinds.
const Case kCases[] = {
    {"click", "01 00 F0 00", "Click", "左键"},
    {"menu", "01 00 F1 00", "Menu", "右键"},
    {"scroll:middle", "01 00 F2 00", "Mouse M Button", "滚轮"},
    {"scroll:down", "01 00 F8 00", "Mouse Scroll Down", "下滚轮"},
    {"forward", "01 00 F4 00", "IE Forward", nullptr},
    {"back", "01 00 F3 00", "IE Backward", nullptr},
    {"double-click", "0A F0 1E 02", "Double Click", nullptr},
    {"dpi:up", "07 00 01 00", "DPI +", "DPI +"},
    {"dpi:loop", "07 00 03 00", "DPI Loop", nullptr},
    {"media:media-player", "03 00 83 01", "Media player", "多媒体播放器"},
    {"media:volume-down", "03 00 EA 00", "Volume Down", nullptr},
    {"media:play/pause", "03 00 CD 00", "Play/Pause", nullptr},
    {"hotkey:select-all", "00 00 E0 04", "Select All", "全选"},
    {"hotkey:new", "00 00 E0 11", "New", nullptr},
    {"windows:my-computer", "03 00 94 01", "My computer", nullptr},
    {"windows:show-desktop", "00 00 E3 07", "Show desktop", "显示桌面"},
    {"key:A", "00 00 04 00", "Single Key-A", nullptr},
    {"key:Num +", "00 00 57 00", "Single Key-Num +", nullptr},
    {"combo:Right Alt+F5", "00 40 3E 00", "Combo Key-Right Alt+F5", nullptr},
    {"combo:Left Ctrl+Num ++A", "00 01 57 04", "Combo Key-Left Ctrl+Num ++A", nullptr},
    {"combo:A+B", "00 00 04 05", "Combo Key-A+B", nullptr},
    {"macro:Select_All", "09 00 01 00", "Macro Key-Select_All", nullptr},
    {"macro:Triple_Click@hold", "09 02 02 00", "Macro Key-Triple_Click", "宏-Triple_Click"},
    {"macro:#2@toggle", "09 01 02 00", "Macro Key-Triple_Click", nullptr},
    {"off", "00 00 00 00", "Button Off", nullptr},
};

TEST(ButtonAssignmentTest, EveryFunctionEncodesLabelsAndReadsBack) {
    for (const Case& c : kCases) {
        Result<ButtonChoice> choice = parse_button_function(c.text, kMacros);
        ASSERT_TRUE(choice) << c.text << ": " << choice.error().message;
        SettingsRecord r{};
        EXPECT_EQ(commit_button_choice(r, 3, *choice, Language::kEnglish), c.label_en) << c.text;
        EXPECT_EQ(test::hex(encode_button_code(r, 3)), c.code) << c.text;
        if (c.label_chs != nullptr) {
            EXPECT_EQ(commit_button_choice(r, 3, *choice, Language::kSimplifiedChinese),
                      c.label_chs);
        }
        // "#2" comes back by name; everything else as written.
        const std::string back = button_function_text(r, 3, kMacros);
        EXPECT_EQ(back, std::string(c.text) == "macro:#2@toggle"    ? "macro:Triple_Click@toggle"
                        : std::string(c.text) == "macro:Select_All" ? "macro:Select_All@count"
                                                                    : c.text);
    }
}

TEST(ButtonAssignmentTest, OtherKindsKeepTheirParameters) {
    SettingsRecord r{};
    (void)commit_button_choice(r, 0, *parse_button_function("key:Z", {}), Language::kEnglish);
    (void)commit_button_choice(r, 0, *parse_button_function("click", {}), Language::kEnglish);
    EXPECT_EQ(r.button_key[0], 0x1D);
}

TEST(ButtonAssignmentTest, BadTextsAreRefused) {
    for (const char* text :
         {"", "clicks", "click:x", "scroll", "scroll:left", "media:next track",
          "key:", "key:Left Win", "combo:Left Ctrl+", "combo:Foo+A", "macro:Nope",
          "macro:Select_All@forever", "macro:#3", "macro:#0", "hotkey:Select All"}) {
        EXPECT_FALSE(parse_button_function(text, kMacros)) << text;
    }
}

TEST(ButtonAssignmentTest, TheLastClickCannotChange) {
    SettingsRecord r{};
    for (int b = 0; b < kButtonCount; ++b) r.button_kind[b] = kKindMenu;
    r.button_kind[4] = kKindClick;
    EXPECT_TRUE(is_last_left_key(r, 4));
    EXPECT_FALSE(is_last_left_key(r, 3));
    r.button_kind[0] = kKindClick;
    EXPECT_FALSE(is_last_left_key(r, 4));
}

}  // namespace
}  // namespace p330
