// What a change leaves in the files and on the mouse, byte for byte: the profile image, the
// label INIs and the simulated mouse's memory, not only what p330ctl prints back.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "cli/ctl_fixture.h"
#include "core/formats/profile_image.h"

namespace p330 {
namespace {

namespace fs = std::filesystem;

using BytesTest = test::CtlTest;

struct StoredCase {
    const char* setting;
    std::size_t record_offset;  // in the profile image's record
    const char* stored;
    std::size_t block_offset;  // in the mouse's parameter block
    const char* sent;
};

// Colours are kept red, blue, green in the record and in the parameter block alike.
const StoredCase kStored[] = {
    {"colour.1=#102030", 0x17, "103020", 0x68, "103020"},
    {"colour.4=#A0B0C0", 0x20, "A0C0B0", 0x71, "A0C0B0"},
    {"dpi.1=100", 0x07, "02", 0x54, "02"},
    {"dpi.4=5000", 0x0A, "64", 0x57, "64"},
    {"sensitivity.x=11", 0x3A, "0B", 0x4A, "DC"},
};

TEST_F(BytesTest, SettingsReachTheImageAndTheMouseAsStored) {
    fs::permissions(data() / "config0.bin", fs::perms::owner_read | fs::perms::owner_write);
    std::vector<std::string> args = {sim(), "set", "--apply"};
    for (const StoredCase& c : kStored) args.push_back(c.setting);
    const auto set = ctl(args);
    ASSERT_EQ(set.exit_code, 0) << set.err;
    for (const StoredCase& c : kStored) {
        EXPECT_EQ(record_hex("config0.bin", c.record_offset, 3).substr(0, strlen(c.stored)),
                  c.stored)
            << c.setting;
        EXPECT_EQ(sim_hex("slot 0 parameters", c.block_offset, strlen(c.sent) / 2), c.sent)
            << c.setting;
    }
    // A save keeps the file's mode: a private profile stays private.
    struct stat info {};
    ASSERT_EQ(::stat((data() / "config0.bin").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    // Printed in the order typed, by every command that prints it.
    const auto show = ctl({"show", (data() / "config0.bin").string()});
    const auto get = ctl({"get"});
    for (const std::string& out : {show.out, get.out}) {
        EXPECT_NE(out.find("#102030"), std::string::npos) << out;
        EXPECT_NE(out.find("#A0B0C0"), std::string::npos) << out;
    }
    EXPECT_EQ(ctl({"get", "colour.1"}).out, "#102030\n");
}

// show names every stored value the program never writes, from the first one out of range.
TEST_F(BytesTest, ShowNamesAFieldFromItsFirstValueOutOfRange) {
    struct Case {
        std::size_t offset;
        const char* hex;
        const char* field;  // nullptr: within range
    };
    const Case cases[] = {
        {0x00, "05", nullptr}, {0x00, "06", "profile_slot is 6"},
        {0x07, "02", nullptr}, {0x07, "01", "dpi_stage[0] is 1"},
        {0x07, "64", nullptr}, {0x07, "65", "dpi_stage[0] is 101"},
        {0x0A, "02", nullptr}, {0x0A, "00", "dpi_stage[3] is 0"},
        {0x3A, "0B", nullptr}, {0x3A, "0C", "sensitivity_x is 12"},
        {0x38, "0A", nullptr}, {0x38, "0B", "angle_snap_level is 11"},
        {0x3D, "0D", nullptr}, {0x3D, "0E", "button_kind[1] is 14"},
        {0x05, "08", nullptr}, {0x05, "39", "report_interval is 57, not 1, 2, 4 or 8"},
    };
    for (const Case& c : cases) {
        write("odd.bin", read("config0.bin"));
        patch_record("odd.bin", c.offset, c.hex);
        const auto run = ctl({"show", (data() / "odd.bin").string()});
        EXPECT_EQ(run.exit_code, c.field ? 4 : 0) << run.err;  // shown, and refused
        const bool named = run.out.find("Out of range") != std::string::npos;
        EXPECT_EQ(named, c.field != nullptr) << c.offset << "=" << c.hex << "\n" << run.out;
        if (c.field != nullptr) {
            EXPECT_NE(run.out.find(c.field), std::string::npos) << run.out;
            EXPECT_NE(run.err.find("odd.bin is not a profile this program wrote: "),
                      std::string::npos)
                << run.err;
        }
    }
    // The first-run flag, before the record; and the same for scripts.
    write("odd.bin", '\x1C' + read("config0.bin").substr(1));
    EXPECT_NE(
        ctl({"show", (data() / "odd.bin").string()}).out.find("first_run_flag is 28, not 0 to 1"),
        std::string::npos);
    EXPECT_NE(ctl({"--json", "show", (data() / "odd.bin").string()})
                  .out.find("\"out_of_range\":[{\"field\":\"first_run_flag\",\"value\":28,"),
              std::string::npos);
}

// A profile another program wrote with values the window never sets, in fields that change
// nothing a button does, is taken with each brought to its nearest allowed value, said once;
// what would change a button or leave no Click stays refused.
TEST_F(BytesTest, CosmeticValuesOutOfRangeAreBroughtInSaidAndSaved) {
    const std::string shipped = read("config0.bin");
    patch_record("config0.bin", 0x2F, "01060006");  // Standard lighting; Respiration's level 0
    patch_record("config0.bin", 0x35, "FF000C00");  // pointer 255, lines 0, double-click 12, snap 0
    const auto get = ctl({"get", "light.respiration"});
    EXPECT_EQ(get.exit_code, 0) << get.err;
    EXPECT_EQ(get.out, "1\n");
    for (const char* told : {"light_param_2 0 -> 1", "pointer_speed 255 -> 12",
                             "scroll_lines 0 -> 1", "angle_snap_level 0 -> 1"}) {
        EXPECT_NE(get.err.find(told), std::string::npos) << get.err;
    }
    EXPECT_EQ(get.err.find("p330ctl:"), get.err.rfind("p330ctl:")) << "once: " << get.err;
    ASSERT_EQ(ctl({sim(), "set", "--apply", "dpi.1=900"}).exit_code, 0);
    EXPECT_EQ(record_hex("config0.bin", 0x31), "01");
    EXPECT_EQ(record_hex("config0.bin", 0x35, 4), "0C010C01");
    EXPECT_EQ(sim_hex("slot 0 parameters", 0x54), "12");

    struct Refused {
        std::size_t offset;
        const char* hex;
        const char* field;
    };
    for (const Refused& r : {Refused{0x30, "00", "light_param_1 is 0"},  // the mode in use
                             Refused{0x38, "0B", "angle_snap_level is 11"},
                             Refused{0x3D, "0E", "button_kind[1] is 14"},
                             Refused{0x3C, "01", "Click on at least one button"}}) {
        write("config0.bin", shipped);
        patch_record("config0.bin", 0x31, "00");
        patch_record("config0.bin", r.offset, r.hex);
        const auto run = ctl({"get"});
        EXPECT_EQ(run.exit_code, 4) << r.field;
        EXPECT_NE(run.err.find(r.field), std::string::npos) << run.err;
    }
    write("config0.bin", std::string(kProfileImageSize, '\x5A'));  // garbage stays garbage
    EXPECT_EQ(ctl({"get"}).exit_code, 4);
}

// A folder whose name holds ".bin" is a folder: the labels go beside the image in it, and an
// import reads them from there.
TEST_F(BytesTest, ExportAndImportThroughAFolderNamedLikeAnImage) {
    ASSERT_EQ(ctl({"set", "button.2=key:B"}).exit_code, 0);
    EXPECT_NE(read("str0.ini").find("Item2=Single Key-B\n"), std::string::npos);
    fs::create_directory(data() / "exp.bin.d");
    const auto exported = ctl({"profile", "export", "0", (data() / "exp.bin.d" / "mine").string()});
    ASSERT_EQ(exported.exit_code, 0) << exported.err;
    EXPECT_EQ(read("exp.bin.d/mine.bin"), read("config0.bin"));
    std::string labels = read("exp.bin.d/mine.ini");
    const std::size_t label = labels.find("Item2=Single Key-B\n");
    ASSERT_NE(label, std::string::npos) << labels;
    write("exp.bin.d/mine.ini", labels.replace(label, 18, "Item2=From the file"));

    const auto imported =
        ctl({"profile", "import", "3", (data() / "exp.bin.d" / "mine.bin").string()});
    ASSERT_EQ(imported.exit_code, 0) << imported.err;
    EXPECT_EQ(read("config3.bin").substr(1), read("config0.bin").substr(1));
    EXPECT_NE(read("str3.ini").find("Item2=From the file\n"), std::string::npos)
        << read("str3.ini");
}

}  // namespace
}  // namespace p330
