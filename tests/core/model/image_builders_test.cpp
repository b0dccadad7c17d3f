#include "core/settings/image_builders.h"

#include <gtest/gtest.h>

#include "core/buttons/button_code.h"
#include "core/settings/setting_limits.h"
#include "fixtures/records.h"

namespace p330 {
namespace {

TEST(ParameterBlockTest, AllZeroSettingsKeepTheTemplateAndFixedOverrides) {
    const SettingsRecord record{};
    const Block block = build_parameter_block(record);
    Block expected = test::documented_template();
    expected[0x02] = 0x01;
    expected[0x47] = 0x00;  // light mode 0
    expected[0x64] = 0x0F;
    expected[0x4A] = expected[0x4B] = 0x00;
    for (int i = 0; i < 4; ++i) expected[0x54 + i] = expected[0x5C + i] = 0;
    for (int i = 0x68; i < 0x80; ++i) expected[i] = 0;
    EXPECT_EQ(test::hex(block), test::hex(expected));
    EXPECT_EQ(block[0x40], 0x0F);
    EXPECT_EQ(block[0x64], 0x0F);
    EXPECT_EQ(block[0x46], 0x04);
    EXPECT_EQ(block[0x58], 0xD0);  // stage 5 and 6 keep the template
}

TEST(ParameterBlockTest, SettingsLandAtTheirOffsets) {
    SettingsRecord r{};
    r.angle_snap_level = 4;
    r.sensitivity_x = 5;
    r.sensitivity_y = 13;  // 260 wraps to 4
    const std::uint8_t dpi[4] = {2, 16, 32, 100};
    std::copy(dpi, dpi + 4, r.dpi_stage);
    for (int s = 0; s < 4; ++s) {
        for (int c = 0; c < 3; ++c) r.stage_colour[s][c] = static_cast<std::uint8_t>(s * 3 + c + 1);
    }
    r.stage_colour_extra[0][0] = 0xEE;  // never sent
    const Block b = build_parameter_block(r);
    EXPECT_EQ(b[0x33], 0x85);
    EXPECT_EQ(b[0x4A], 0x64);
    EXPECT_EQ(b[0x4B], 0x04);
    EXPECT_EQ(test::hex(std::span(b).subspan(0x54, 4)), "02 10 20 64");
    EXPECT_EQ(test::hex(std::span(b).subspan(0x5C, 4)), "02 10 20 64");
    EXPECT_EQ(test::hex(std::span(b).subspan(0x68, 12)), "01 02 03 04 05 06 07 08 09 0A 0B 0C");
    EXPECT_EQ(test::hex(std::span(b).subspan(0x74, 12)), "00 00 00 00 00 00 00 00 00 00 00 00");
}

TEST(ParameterBlockTest, LightingModesAndLevels) {
    struct Case {
        std::uint8_t mode, level;
        std::uint8_t b47, b48, b49;
    };
    const Case cases[] = {
        {1, 1, 0x00, 0x18, 0x03},  // level 1 turns the light off, template stays
        {1, 5, 0x01, 0x0A, 0x03}, {2, 1, 0x02, 0x05, 0x03},
        {2, 5, 0x02, 0x01, 0x03}, {3, 5, 0x03, 0x0F, 0x03},
        {0, 5, 0x00, 0x18, 0x03}, {7, 5, 0x07, 0x18, 0x03},  // an unknown mode is sent as it is
    };
    for (const Case& c : cases) {
        SettingsRecord r{};
        r.light_mode = c.mode;
        r.light_param_1 = r.light_param_2 = r.light_param_3 = c.level;
        const Block b = build_parameter_block(r);
        EXPECT_EQ(b[0x47], c.b47) << int(c.mode) << "/" << int(c.level);
        EXPECT_EQ(b[0x48], c.b48) << int(c.mode) << "/" << int(c.level);
        EXPECT_EQ(b[0x49], c.b49) << int(c.mode) << "/" << int(c.level);
    }
}

TEST(ParameterBlockTest, AngleSnapCodesIncludingOutOfRange) {
    const std::uint8_t expected[] = {0x00, 0x00, 0x82, 0x84, 0x85, 0x86,
                                     0x87, 0x89, 0x8B, 0x8D, 0x8F};
    for (std::uint8_t level = 0; level <= 10; ++level) {
        EXPECT_EQ(angle_snap_code(level), expected[level]);
    }
    EXPECT_EQ(angle_snap_code(11), 0x00);
    EXPECT_EQ(angle_snap_code(255), 0x00);
}

TEST(ButtonTableTest, ButtonsLandInTheirSlotsAndTheRestIsZero) {
    SettingsRecord r{};
    for (int b = 0; b < kButtonCount; ++b) {
        r.button_kind[b] = kKindSingleKey;
        r.button_key[b] = static_cast<std::uint8_t>(0x10 + b);
    }
    const Block table = build_button_table(r);
    const int slot_of[8] = {0, 1, 2, 14, 15, 3, 4, 5};
    for (int b = 0; b < 8; ++b) {
        EXPECT_EQ(table[4 * slot_of[b] + 2], 0x10 + b) << "button " << b;
    }
    for (int slot = 6; slot < 32; ++slot) {
        if (slot == 14 || slot == 15) continue;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(table[4 * slot + i], 0) << "slot " << slot;
    }
}

TEST(DeviceImageTest, MacroCopyAndStageLookup) {
    SettingsRecord r{};
    r.macro_block[11][127] = 0x42;
    DeviceImage image;
    image.macro_block[0].fill(0xFF);
    copy_macros(r, image);
    EXPECT_EQ(image.macro_block[0][0], 0);
    EXPECT_EQ(image.macro_block[11][127], 0x42);

    image.parameter_block[2][0x54 + 2] = 32;
    image.parameter_block[2][0x54 + 5] = 0xD0;
    EXPECT_EQ(stage_dpi(image, 2, 3), 1600);
    EXPECT_EQ(stage_dpi(image, 2, 6), 10400);
    EXPECT_EQ(stage_dpi(image, 2, 7), 0);
    EXPECT_EQ(stage_dpi(image, 6, 1), 0);  // a slot the image does not have
}

TEST(DpiEntryTest, ClampsAndTruncates) {
    EXPECT_EQ(clamp_dpi_entry(175).stored, 3);
    EXPECT_FALSE(clamp_dpi_entry(175).clamped);
    const DpiEntry low = clamp_dpi_entry(50);
    EXPECT_TRUE(low.clamped);
    EXPECT_EQ(low.shown, 100);
    EXPECT_EQ(low.stored, 2);
    const DpiEntry high = clamp_dpi_entry(6000);
    EXPECT_EQ(high.shown, 5000);
    EXPECT_EQ(high.stored, 100);
    EXPECT_EQ(clamp_dpi_entry(-7).stored, 2);
}

TEST(SettingsStateTest, SnapshotAndRestoreCoverEveryByte) {
    SettingsState state;
    auto bytes = record_bytes(state.current);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    state.snapshot();
    state.current.reserved_ac[31] = 0;
    state.current.macro_block[11][127] = 0;
    state.restore();
    EXPECT_EQ(state.current.reserved_ac[31], static_cast<std::uint8_t>((0xAC + 31) * 7));
    EXPECT_EQ(state.current.macro_block[11][127], static_cast<std::uint8_t>(1755 * 7));
}

}  // namespace
}  // namespace p330
