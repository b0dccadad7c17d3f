// p330ctl end to end: the real program against the simulated mouse and real files.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/ctl_fixture.h"
#include "core/flows/profile_files.h"
#include "core/util/file_io.h"

namespace p330 {
namespace {

namespace fs = std::filesystem;

using P330ctlTest = test::CtlTest;

TEST_F(P330ctlTest, ApplyThenStatusOnOneStateFile) {
    Result<ProfileImage> image = read_profile_image(data() / "config1.bin");
    ASSERT_TRUE(image);
    image->record.dpi_stage[0] = 10;  // 500 DPI
    image->record.dpi_stage[3] = 90;  // 4500 DPI
    ASSERT_TRUE(write_profile_image(data() / "config1.bin", image->record));
    const std::string sim = "--device=sim:" + (data() / "mouse.state").string();

    const auto apply = ctl({sim, "apply", "--profile", "1"});
    ASSERT_EQ(apply.exit_code, 0) << apply.err;
    EXPECT_NE(apply.out.find("47 transfers"), std::string::npos) << apply.out;

    const auto status = ctl({sim, "status", "--json"});
    ASSERT_EQ(status.exit_code, 0) << status.err;
    EXPECT_NE(status.out.find("\"dpi_stages\":[500,1600,2400,4500]"), std::string::npos)
        << status.out;
    EXPECT_NE(status.out.find("\"profile\":0"), std::string::npos);
}

TEST_F(P330ctlTest, TraceShowsEveryTransferAsOnTheWire) {
    const auto trace_path = data() / "trace.txt";
    const auto run = ctl({"--device", "sim", "--trace", trace_path.string(), "apply"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    std::ifstream in(trace_path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 47u);  // 0x82 and its answer, 0x01, then the upload's 44
    EXPECT_EQ(lines[0].substr(lines[0].find(' ')), " set-feature 00 82 00 00 00 00 00 00 7D");
    EXPECT_NE(lines[1].find(" get-feature 00 82 "), std::string::npos);
    EXPECT_NE(lines[2].find(" set-feature 00 01 FC 00 00 00 00 00 02"), std::string::npos);
    EXPECT_NE(lines[3].find(" set-feature 00 02 00 00 00 00 00 00 FD"), std::string::npos);
    std::istringstream last(lines.back());
    long ms = 0;
    std::string type;
    last >> ms >> type;
    EXPECT_EQ(type, "output");
    EXPECT_GE(ms, 790);  // the protocol's pauses before the last report
}

TEST_F(P330ctlTest, ShowDecodesAShippedProfile) {
    const auto text = ctl({"show", (data() / "config0.bin").string()});
    ASSERT_EQ(text.exit_code, 0) << text.err;
    EXPECT_NE(text.out.find("1000 Hz"), std::string::npos);
    EXPECT_NE(text.out.find("Button 6          CPI Cycle: DPI Loop  [07 00 03 00]"),
              std::string::npos)
        << text.out;
    const auto json = ctl({"--json", "show", (data() / "config0.bin").string()});
    ASSERT_EQ(json.exit_code, 0);
    EXPECT_EQ(json.out.front(), '{');
    EXPECT_NE(json.out.find("\"report_rate_hz\":1000"), std::string::npos);
}

TEST_F(P330ctlTest, MacrosOfACraftedRecordIni) {
    std::ofstream ini(data() / "record.ini");
    for (int i = 0; i < 13; ++i) {
        ini << "[M" << i
            << "]\nDelayTimeSelStatus=1\nMacroLoopTimes=2\nItemCount=" << (i == 0 ? 70 : 1) << "\n";
        for (int j = 0; j < (i == 0 ? 70 : 1); ++j) ini << "Item" << j << "=A   Dn\n";
    }
    ini.close();
    const auto text = ctl({"macros"});
    ASSERT_EQ(text.exit_code, 0) << text.err;
    EXPECT_NE(text.out.find("63/63 pairs  CUT"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("13  M12"), std::string::npos);
    EXPECT_NE(text.out.find("not sent"), std::string::npos);
    const auto json = ctl({"macros", "--json"});
    EXPECT_NE(json.out.find("\"block\":\"0002000400"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"cut\":true"), std::string::npos);
}

TEST_F(P330ctlTest, BadArgumentsAndFilesGiveAClearMessageAndAnExitCode) {
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* says;
    };
    std::ofstream(data() / "short.bin") << "too short";
    std::ofstream(data() / "mouse.state") << "not a state file\n";
    // A FIFO where a file should be: refused at once, never waited on.
    const std::string fifo = (data() / "fifo.bin").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::remove(data() / "record.ini");
    ASSERT_EQ(::mkfifo((data() / "record.ini").c_str(), 0600), 0);
    const std::vector<Case> cases = {
        {{"frobnicate"}, 2, "unknown command"},
        {{}, 2, "no command"},
        {{"show"}, 2, "needs a profile image"},
        {{"apply", "--profile", "9"}, 2, "from 0 to 5"},
        {{"apply", "--profile", "2", (data() / "config1.bin").string()}, 2, "and no file"},
        {{"status", "--bogus"}, 2, "unknown option"},
        {{"--device", "usb", "status"}, 2, "--device takes"},
        {{"show", (data() / "short.bin").string()}, 4, "not 1757"},
        {{"show", (data() / "missing.bin").string()}, 4, "No such file"},
        {{"--device", "sim:" + (data() / "mouse.state").string(), "status"},
         4,
         "simulated mouse state"},
        {{"show", fifo}, 4, "not a regular file"},
        {{"apply", fifo}, 4, "not a regular file"},
        {{"--device", "sim:" + fifo, "status"}, 4, "not a regular file"},
        {{"macros"}, 4, "not a regular file"},
    };
    for (const Case& c : cases) {
        const auto run = ctl(c.args);
        EXPECT_EQ(run.exit_code, c.code) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
    const auto help = ctl({"--help"});
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_NE(help.out.find("Exit status"), std::string::npos);
    EXPECT_EQ(ctl({"--version"}).exit_code, 0);
}

TEST_F(P330ctlTest, ApplyWritesNothingOnDisk) {
    const auto before = fs::last_write_time(data() / "config0.bin");
    const auto run = ctl({"--device", "sim", "apply"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(fs::last_write_time(data() / "config0.bin"), before);
}

// A save killed between naming its temporary and the rename: the next change clears what it
// left, though that change writes other files.
TEST_F(P330ctlTest, AChangeClearsWhatAKilledSaveOfAnotherFileLeft) {
    const auto leftovers = [&] {
        int n = 0;
        for (const auto& entry : fs::directory_iterator(data()))
            n += is_marked_temp_name(entry.path().filename().string()) ? 1 : 0;
        return n;
    };
    if (const pid_t killed = ::fork(); killed == 0) {
        std::ofstream(marked_temp_name(data() / "str3.ini", "1")) << "half";
        ::_exit(0);
    } else {
        ::waitpid(killed, nullptr, 0);
    }
    ASSERT_EQ(leftovers(), 1);
    ASSERT_EQ(ctl({"set", "dpi.1=900"}).exit_code, 0);
    EXPECT_EQ(leftovers(), 0);
}

}  // namespace
}  // namespace p330
