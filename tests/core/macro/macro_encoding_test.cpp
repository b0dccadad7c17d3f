#include "core/macro/macro_encoding.h"

#include <gtest/gtest.h>

#include "fixtures/records.h"

namespace p330 {
namespace {

std::string section(const std::string& name, int delays, const std::string& loops,
                    const std::vector<std::string>& items) {
    std::string text = "[" + name + "]\nDelayTimeSelStatus=" + std::to_string(delays) +
                       "\nMacroLoopTimes=" + loops + "\nItemCount=" + std::to_string(items.size()) +
                       "\n";
    for (std::size_t i = 0; i < items.size(); ++i)
        text += "Item" + std::to_string(i) + "=" + items[i] + "\n";
    return text;
}

// The block's bytes up to the last one that is not zero, with a check that the rest is zero.
std::string used_bytes(const Block& block) {
    std::size_t end = block.size();
    while (end > 0 && block[end - 1] == 0) --end;
    return test::hex(std::span(block).first(std::max<std::size_t>(end, 2)));
}

EncodedMacro encode(const std::string& text) {
    auto doc = IniDocument::parse(text);
    EXPECT_TRUE(doc);
    return encode_macro(*doc, doc->section_names().at(0));
}

TEST(MacroEncodingTest, WorkedExamples) {
    EXPECT_EQ(used_bytes(encode(section("M", 1, "3", {"A   Dn", "120 ms", "A   Up"})).block),
              "00 03 0C 04 80 04");
    EXPECT_EQ(used_bytes(encode(section("M", 0, "1", {"A   Dn", "A   Up"})).block),
              "00 01 05 04 85 04");
    EXPECT_EQ(used_bytes(encode(section("M", 1, "1", {"B   Dn", "2000 ms", "B   Up"})).block),
              "00 01 00 05 14 03 80 05");
    EXPECT_EQ(used_bytes(encode(section("M", 1, "1", {"B   Dn", "30000 ms", "B   Up"})).block),
              "00 01 00 05 00 03 01 2C 80 05");
}

TEST(MacroEncodingTest, DelayTableEdges) {
    struct Case {
        long long ms;
        const char* bytes;
    };
    const Case cases[] = {
        {1270, "7F 04"},
        {1271, "47 04 0C 03"},
        {25500, "00 04 FF 03"},
        {25501, "01 04 00 03 00 FF"},
        {6553500, "00 04 00 03 FF FF"},
        {6553600, "00 04 00 03 00 00"},  // only the low 16 bits of the hundreds survive
        {-5, "00 04"},
    };
    for (const Case& c : cases) {
        Block block{};
        int pairs = 0;
        ASSERT_TRUE(append_key_event(block, pairs, false, 0x04, c.ms));
        EXPECT_EQ(test::hex(std::span(block).subspan(2, 2 * static_cast<std::size_t>(pairs))),
                  c.bytes)
            << c.ms;
    }
}

TEST(MacroEncodingTest, OddItemsAndNames) {
    // A macro starting with a delay or a release still packs from offset 2 of its block.
    EXPECT_EQ(used_bytes(encode(section("M", 1, "1", {"10 ms", "A   Up", "20 ms"})).block),
              "00 01 82 04");
    // Unknown names and "Application" give code 0; case matters.
    EXPECT_EQ(used_bytes(
                  encode(section("M", 1, "1", {"a   Dn", "Application   Dn", "Right Windows   Dn"}))
                      .block),
              "00 01 00 00 00 00 00 E7");
    // An empty macro is all zeros, loop count too; a bad loop count becomes 1.
    EXPECT_EQ(used_bytes(encode(section("M", 1, "7", {})).block), "00 00");
    EXPECT_EQ(used_bytes(encode(section("M", 1, "70000", {"A   Dn"})).block), "00 01 00 04");
    EXPECT_EQ(used_bytes(encode(section("M", 1, "x", {"A   Dn"})).block), "00 01 00 04");
    // A delay that is not a number is 0.
    EXPECT_EQ(used_bytes(encode(section("M", 1, "1", {"A   Dn", "soon ms", "A   Up"})).block),
              "00 01 00 04 80 04");
}

TEST(MacroEncodingTest, LongMacrosAreCutAtTheBlockEnd) {
    std::vector<std::string> items;
    for (int i = 0; i < 40; ++i) {  // 80 key events with 2000 ms delays: 2 pairs each
        items.push_back("A   Dn");
        items.push_back("2000 ms");
    }
    const EncodedMacro macro = encode(section("M", 1, "1", items));
    EXPECT_TRUE(macro.cut);
    EXPECT_EQ(macro.pairs_used, 62);  // the 32nd event would need pairs 63 and 64
    EXPECT_EQ(macro.block[2 + 2 * 62], 0);
    EXPECT_EQ(macro.block[127], 0);

    std::vector<std::string> fits(63, "A   Dn");
    const EncodedMacro exact = encode(section("M", 0, "1", fits));
    EXPECT_FALSE(exact.cut);
    EXPECT_EQ(exact.pairs_used, 63);
    EXPECT_EQ(exact.block[127], 0x04);
}

TEST(MacroEncodingTest, SectionsMapToBlocksInFileOrderTwelveAtMost) {
    std::string text;
    for (int i = 0; i < 14; ++i)
        text += section("M" + std::to_string(i), 1, std::to_string(i + 1), {"A   Dn"});
    auto doc = IniDocument::parse(text);
    ASSERT_TRUE(doc);
    const EncodedMacros all = encode_macro_blocks(*doc);
    EXPECT_EQ(all.encoded, 12);
    EXPECT_EQ(all.sections_ignored, 2);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(all.blocks[i][1], i + 1);
}

}  // namespace
}  // namespace p330
