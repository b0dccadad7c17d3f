#include "core/buttons/key_tables.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <set>

#include "core/buttons/key_naming.h"

namespace p330 {
namespace {

TEST(KeyTablesTest, LookupsAreExactAndSeparate) {
    EXPECT_EQ(key_usage_from_name("a"), 0);
    EXPECT_EQ(key_usage_from_name("A"), 0x04);
    EXPECT_EQ(key_usage_from_name("Z"), 0x1D);
    EXPECT_EQ(key_usage_from_name("0"), 0x27);
    EXPECT_EQ(key_usage_from_name("Num Enter"), 0x58);
    EXPECT_EQ(key_usage_from_name("Enter"), 0x28);
    EXPECT_EQ(key_usage_from_name("Enter "), 0);
    EXPECT_EQ(modifier_bit_from_name("Left Win"), 0x08);
    EXPECT_EQ(key_usage_from_name("Left Win"), 0);
    EXPECT_EQ(key_usage_from_name("Left Windows"), 0xE3);
    EXPECT_EQ(modifier_bit_from_name("Left Windows"), 0);
    EXPECT_EQ(key_usage_from_name("Right Ctrl"), 0xE4);
    EXPECT_EQ(modifier_bit_from_name("Right Ctrl"), 0x10);
    EXPECT_EQ(key_usage_from_name(""), 0);
    EXPECT_EQ(modifier_bit_from_name(""), 0);
    EXPECT_EQ(key_usage_from_name("Application"), 0x65);
    EXPECT_EQ(macro_key_code("Application"), 0);
    EXPECT_EQ(macro_key_code("M-Button"), 0xF2);
    EXPECT_EQ(key_usage_from_name("\\"), 0x31);
    EXPECT_EQ(key_usage_from_name("`"), 0x35);
}

TEST(KeyTablesTest, TableHasUniqueNamesAndTheDocumentedUsageRanges) {
    std::set<std::string_view> names;
    std::set<int> usages;
    for (const auto& entry : kKeyNameTable) {
        names.insert(entry.name);
        usages.insert(entry.usage);
    }
    EXPECT_EQ(names.size(), 108u);
    EXPECT_EQ(usages.size(), 108u);
    for (int u = 0x04; u <= 0x63; ++u) EXPECT_TRUE(usages.count(u)) << std::hex << u;
    EXPECT_FALSE(usages.count(0x64));
    for (int u = 0xE0; u <= 0xE7; ++u) EXPECT_TRUE(usages.count(u));
    std::uint8_t bits = 0;
    for (const auto& m : kModifierTable) bits = static_cast<std::uint8_t>(bits | m.bit);
    EXPECT_EQ(bits, 0xFF);
}

TEST(KeyNamingTest, PhysicalKeysGetTheUsEnglishNames) {
    EXPECT_EQ(key_name_from_evdev(KEY_KP5), "Num 5");
    EXPECT_EQ(key_name_from_evdev(KEY_RIGHTSHIFT), "Right Shift");
    EXPECT_EQ(key_name_from_evdev(KEY_SYSRQ), "Prnt Scrn");
    EXPECT_EQ(key_name_from_evdev(KEY_LEFTMETA), "Left Windows");
    EXPECT_EQ(key_name_from_evdev(KEY_KPENTER), "Num Enter");
    EXPECT_EQ(key_name_from_evdev(KEY_Q), "Q");  // "A" on a French layout, still Q
    EXPECT_EQ(key_name_from_evdev(KEY_LEFTCTRL), "Ctrl");
    EXPECT_EQ(key_name_from_evdev(KEY_COMPOSE), "Application");
}

TEST(KeyNamingTest, EveryTableKeyIsReachableAndUnknownKeysMapToZero) {
    std::set<std::string> reached;
    for (int code = 0; code < 256; ++code) reached.insert(key_name_from_evdev(code));
    for (const auto& entry : kKeyNameTable) {
        if (entry.usage >= 0xF0) continue;            // mouse buttons are not keys
        if (entry.name == "Eurpo(Note 2)") continue;  // no such key on a US keyboard
        EXPECT_TRUE(reached.count(std::string(entry.name))) << entry.name;
    }
    const std::string unknown = key_name_from_evdev(KEY_MUTE);
    EXPECT_FALSE(unknown.empty());
    EXPECT_EQ(key_usage_from_name(unknown), 0);
    EXPECT_EQ(key_usage_from_name(key_name_from_evdev(600)), 0);
}

}  // namespace
}  // namespace p330
