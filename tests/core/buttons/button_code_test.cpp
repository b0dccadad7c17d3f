#include "core/buttons/button_code.h"

#include <gtest/gtest.h>

#include "core/buttons/function_catalogue.h"
#include "core/buttons/key_tables.h"
#include "fixtures/records.h"

namespace p330 {
namespace {

std::string code_of(const SettingsRecord& r, int button = 0) {
    return test::hex(encode_button_code(r, button));
}

SettingsRecord with_kind(std::uint8_t kind) {
    SettingsRecord r{};
    r.button_kind[0] = kind;
    return r;
}

TEST(ButtonCodeTest, FixedFunctions) {
    EXPECT_EQ(code_of(with_kind(0)), "01 00 F0 00");
    EXPECT_EQ(code_of(with_kind(1)), "01 00 F1 00");
    EXPECT_EQ(code_of(with_kind(3)), "01 00 F4 00");
    EXPECT_EQ(code_of(with_kind(4)), "01 00 F3 00");
    EXPECT_EQ(code_of(with_kind(5)), "0A F0 1E 02");
    EXPECT_EQ(code_of(with_kind(13)), "00 00 00 00");
    for (int kind = 14; kind < 256; ++kind) {
        EXPECT_EQ(code_of(with_kind(static_cast<std::uint8_t>(kind))), "00 00 00 00");
    }
}

TEST(ButtonCodeTest, ScrollSelectAndDpi) {
    SettingsRecord r = with_kind(2);
    const char* expected[] = {"00 00 00 00", "01 00 F2 00", "01 00 F7 00", "01 00 F8 00",
                              "00 00 00 00"};
    for (std::uint8_t v = 0; v <= 4; ++v) {
        r.button_mouse[0] = v;
        EXPECT_EQ(code_of(r), expected[v]) << int(v);
    }
    r = with_kind(6);
    r.button_dpi[0] = 2;
    EXPECT_EQ(code_of(r), "07 00 02 00");
    r.button_dpi[0] = 9;  // outside the list: sent unchanged
    EXPECT_EQ(code_of(r), "07 00 09 00");
}

TEST(ButtonCodeTest, MultimediaChoices) {
    SettingsRecord r = with_kind(kKindMultimedia);
    r.button_media[0] = sub_list_value(SubListId::kMultimedia, 7);  // Volume Down
    EXPECT_EQ(r.button_media[0], 0xEA);
    EXPECT_EQ(code_of(r), "03 00 EA 00");
    r.button_media[0] = sub_list_value(SubListId::kMultimedia, 0);  // Media player
    EXPECT_EQ(code_of(r), "03 00 83 01");
}

TEST(ButtonCodeTest, HotKeysAndWindowsShortcuts) {
    SettingsRecord r = with_kind(kKindHotKey);
    r.button_hotkey[0] = sub_list_value(SubListId::kHotKey, 9);  // Select All
    EXPECT_EQ(code_of(r), "00 00 E0 04");

    r = with_kind(kKindWindows);
    const char* expected[] = {"03 00 94 01", "03 00 23 02", "03 00 21 02", "00 04 2C 1B",
                              "00 04 2C 11", "00 00 E3 07", "00 00 E3 15", "00 00 00 00"};
    for (std::uint8_t v = 0; v <= 7; ++v) {
        r.button_special[0] = v;
        EXPECT_EQ(code_of(r), expected[v]) << int(v);
    }
}

TEST(ButtonCodeTest, KeysCombinationsAndMacros) {
    SettingsRecord r = with_kind(kKindSingleKey);
    r.button_key[0] = key_usage_from_name("Application");
    EXPECT_EQ(code_of(r), "00 00 65 00");

    r = with_kind(kKindComboKey);
    r.button_combo_mod[0] = modifier_bit_from_name("Right Alt");
    r.button_combo_key1[0] = key_usage_from_name("F5");
    r.button_combo_key2[0] = key_usage_from_name("");
    EXPECT_EQ(code_of(r), "00 40 3E 00");

    r = with_kind(kKindMacroKey);
    r.button_macro[0] = 0;
    r.button_macro_mode[0] = 2;
    EXPECT_EQ(code_of(r), "09 02 01 00");
    r.button_macro[0] = 11;
    EXPECT_EQ(code_of(r), "09 02 0C 00");
}

TEST(FunctionCatalogueTest, ListOrderNamesAndSubLists) {
    EXPECT_EQ(function_name(kKindCpiCycle, Language::kEnglish), "CPI Cycle");
    EXPECT_EQ(function_name(kKindMacroKey, Language::kTraditionalChinese), "巨集");
    EXPECT_EQ(function_name(kKindWindows, Language::kSimplifiedChinese), "Windows");
    EXPECT_EQ(function_name(static_cast<ButtonKind>(14), Language::kEnglish), "");
    for (int k = 0; k < kButtonKindCount; ++k) EXPECT_EQ(kFunctionCatalogue[k].kind, k);

    EXPECT_EQ(sub_list_items(SubListId::kHotKey).size(), 10u);
    EXPECT_EQ(sub_list_items(SubListId::kWindows)[5].in(Language::kTraditionalChinese), "顯示桌面");
    EXPECT_EQ(sub_list_value(SubListId::kScrollSelect, 3), 0);
    EXPECT_EQ(sub_list_value(SubListId::kMultimedia, -1), 0);
    EXPECT_EQ(sub_list_value(SubListId::kWindows, 9), 9);

    const auto labels = first_run_labels(Language::kEnglish);
    EXPECT_EQ(labels[2], "Mouse M Button");
    EXPECT_EQ(labels[5], "DPI loop");
    EXPECT_EQ(labels[7], "IE Backward");
}

}  // namespace
}  // namespace p330
