#include "core/device/report_descriptor.h"

#include <gtest/gtest.h>

#include "fixtures/mouse_descriptors.h"

namespace p330 {
namespace {

TEST(ReportDescriptorTest, MouseCollectionsAndTheirLengths) {
    auto command = parse_report_descriptor(test::kCommandDescriptor);
    ASSERT_TRUE(command);
    ASSERT_EQ(command->collections.size(), 1u);
    const HidCollection& c = command->collections[0];
    EXPECT_EQ(c.usage_page, 0xFF00);
    EXPECT_EQ(c.usage, 0xFF00);
    EXPECT_EQ(c.feature_length, 9);
    EXPECT_EQ(c.output_length, 65);
    EXPECT_EQ(c.input_length, 65);
    EXPECT_FALSE(command->uses_report_ids);

    auto input = parse_report_descriptor(test::kInputDescriptor);
    ASSERT_TRUE(input);
    EXPECT_EQ(input->collections[0].usage_page, 0xFF01);
    EXPECT_EQ(input->collections[0].usage, 0x0001);
    EXPECT_EQ(input->collections[0].input_length, 4);
    EXPECT_EQ(input->collections[0].feature_length, 0);
    EXPECT_TRUE(input->uses_report_ids);
}

TEST(ReportDescriptorTest, TwoCollectionsInOneDescriptorAndExtendedUsages) {
    std::vector<std::uint8_t> both = test::kInputDescriptor;
    both.insert(both.end(), test::kCommandDescriptor.begin(), test::kCommandDescriptor.end());
    auto info = parse_report_descriptor(both);
    ASSERT_TRUE(info);
    ASSERT_EQ(info->collections.size(), 2u);
    EXPECT_EQ(info->collections[1].usage_page, 0xFF00);

    // Usage Page 1 then a 4-byte usage naming page FF00, usage 0x0042.
    const std::vector<std::uint8_t> extended = {0x05, 0x01, 0x0B, 0x42, 0x00,
                                                0x00, 0xFF, 0xA1, 0x01, 0xC0};
    auto ext = parse_report_descriptor(extended);
    ASSERT_TRUE(ext);
    EXPECT_EQ(ext->collections[0].usage_page, 0xFF00);
    EXPECT_EQ(ext->collections[0].usage, 0x0042);
}

TEST(ReportDescriptorTest, MalformedDescriptorsAreRefused) {
    const std::vector<std::vector<std::uint8_t>> bad = {
        {0x06, 0x00},                    // truncated item
        {0xA1, 0x01},                    // never closed
        {0xC0},                          // closed, never opened
        {0x81, 0x02},                    // report outside a collection
        {0xB4},                          // pop without push
        {0x85, 0x00, 0xA1, 0x01, 0xC0},  // report id 0
        {0xFE, 0x10, 0x00, 0x01},        // truncated long item
    };
    for (const auto& d : bad) EXPECT_FALSE(parse_report_descriptor(d));
    std::vector<std::uint8_t> deep;
    for (int i = 0; i < 40; ++i) deep.insert(deep.end(), {0xA1, 0x01});
    EXPECT_FALSE(parse_report_descriptor(deep));
    EXPECT_FALSE(parse_report_descriptor(std::vector<std::uint8_t>(5000, 0)));
    EXPECT_TRUE(parse_report_descriptor({}));  // empty: no collections
}

}  // namespace
}  // namespace p330
