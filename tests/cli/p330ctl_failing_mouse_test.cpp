// A mouse that fails: one lost transfer, a mouse that stops answering, a file that cannot be
// written. What the user is told, the exit status, and what the mouse and the files kept.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/ctl_fixture.h"
#include "core/util/unique_fd.h"

namespace p330 {
namespace {

using FailingMouseTest = test::CtlTest;

// Transfer 8 is the second half of the parameter block: the block is lost, the upload goes on.
TEST_F(FailingMouseTest, OneFailedTransferIsReportedAndTheRestStillArrives) {
    ASSERT_EQ(ctl({sim(), "apply"}).exit_code, 0);
    const std::string old_stage = sim_hex("slot 0 parameters", 0x54);
    ASSERT_EQ(ctl({"set", "dpi.1=200", "button.4=key:A"}).exit_code, 0);

    const auto run = ctl({sim("fail=8:"), "apply"});
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.err.find("transfer 8"), std::string::npos) << run.err;
    EXPECT_EQ(sim_hex("slot 0 parameters", 0x54), old_stage);
    EXPECT_EQ(sim_hex("slot 0 buttons", std::size_t{4} * 14, 4), "00000400");  // button 4 arrived

    const auto json = ctl({sim("fail=8:fail=20:"), "apply", "--json"});
    EXPECT_EQ(json.exit_code, 1);
    EXPECT_NE(json.out.find("\"transfers\":47,\"failed\":2"), std::string::npos) << json.out;

    ASSERT_EQ(ctl({sim(), "apply"}).exit_code, 0);
    EXPECT_EQ(sim_hex("slot 0 parameters", 0x54), "04");
}

// One program at a time on the simulated mouse, as on the real one: while another holds it
// for a sequence, an upload is told the mouse is busy and sends nothing.
TEST_F(FailingMouseTest, ASecondProgramIsToldTheSimulatedMouseIsBusy) {
    ASSERT_EQ(ctl({sim(), "apply"}).exit_code, 0);
    ASSERT_EQ(ctl({"set", "dpi.1=200"}).exit_code, 0);
    const std::string old_stage = sim_hex("slot 0 parameters", 0x54);
    {
        const UniqueFd held(::open((data() / "mouse.state.lock").c_str(), O_RDWR | O_CREAT, 0644));
        ASSERT_EQ(::flock(held.get(), LOCK_EX), 0);
        const auto busy = ctl({sim(), "apply"});
        EXPECT_EQ(busy.exit_code, 1);
        EXPECT_NE(busy.err.find("busy"), std::string::npos) << busy.err;
        EXPECT_EQ(sim_hex("slot 0 parameters", 0x54), old_stage);
    }
    ASSERT_EQ(ctl({sim(), "apply"}).exit_code, 0);
    EXPECT_EQ(sim_hex("slot 0 parameters", 0x54), "04");
}

// A desktop that refuses the pointer settings (here a GNOME whose gsettings refuses every
// change): the mouse still gets everything, and the refusal is a failure, not a success.
TEST_F(FailingMouseTest, ADesktopThatRefusesThePointerSettingsIsAFailure) {
    const std::filesystem::path tool = data() / "bin" / "gsettings";
    std::filesystem::create_directory(tool.parent_path());
    std::ofstream(tool) << "#!/bin/sh\n[ \"$1\" = list-keys ] && "
                           "printf 'accel-profile\\ndouble-click\\nspeed\\n'\n"
                           "[ \"$1\" = list-schemas ] && echo org.gnome.desktop.peripherals.mouse\n"
                           "[ \"$1\" = get ] && echo 1\n[ \"$1\" != set ]\n";
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const std::string kept_desktop = desktop ? desktop : "";
    ::setenv("PATH", (tool.parent_path().string() + ":" + path).c_str(), 1);
    ::setenv("XDG_CURRENT_DESKTOP", "GNOME", 1);
    const auto run = ctl({sim(), "apply", "--pointer"});
    ::setenv("PATH", path.c_str(), 1);
    if (desktop)
        ::setenv("XDG_CURRENT_DESKTOP", kept_desktop.c_str(), 1);
    else
        ::unsetenv("XDG_CURRENT_DESKTOP");
    EXPECT_EQ(run.exit_code, 1) << run.err;
    EXPECT_NE(run.err.find("the desktop refused the pointer speed"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("Desktop pointer settings applied"), std::string::npos) << run.out;
    EXPECT_EQ(sim_hex("slot 0 parameters", 0x54), "10");  // the mouse got its upload
}

// Three time-outs in a row end the upload: the rest is never sent, and said so apart.
TEST_F(FailingMouseTest, AMouseThatStopsAnsweringEndsTheUploadAfterThreeTimeOuts) {
    const auto trace = data() / "trace.txt";
    const auto run = ctl({sim("stop=5:"), "--trace", trace.string(), "apply", "--json"});
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.out.find("\"transfers\":47,\"failed\":3,\"not_sent\":40"), std::string::npos)
        << run.out;
    EXPECT_NE(ctl({sim("stop=5:"), "apply"})
                  .out.find(", 3 failed, 40 not sent after the mouse stopped answering."),
              std::string::npos);
    std::ifstream in(trace);
    int sent = 0;
    int timed_out = 0;
    for (std::string line; std::getline(in, line);)
        ++(line.find("# failed") == std::string::npos ? sent : timed_out);
    EXPECT_EQ(sent, 4);
    EXPECT_EQ(timed_out, 3);
}

// A mouse silent from the first transfer: the greeting and the upload give up together after
// three time-outs, and the user is told that nothing reached it, not that some was sent.
TEST_F(FailingMouseTest, ASilentMouseCostsThreeTimeOutsAndNothingIsSaidToBeSent) {
    ASSERT_EQ(ctl({sim(), "apply"}).exit_code, 0);
    const std::string kept = read("mouse.state");
    const auto trace = data() / "trace.txt";
    const auto run = ctl({sim("stop=1:"), "--trace", trace.string(), "apply"});
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.out.find("Sent"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Nothing reached the simulated mouse"), 0u) << run.out;
    EXPECT_NE(run.out.find(": none of 47 transfers went through (3 failed, 44 not sent after "
                           "the mouse stopped answering)"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.err.find("nothing reached the mouse"), std::string::npos) << run.err;
    std::ifstream in(trace);
    int lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    EXPECT_EQ(lines, 3);  // the three transfers tried, each timed out
    EXPECT_EQ(read("mouse.state"), kept);
}

TEST_F(FailingMouseTest, AFaultTheSimulatedMouseCannotHaveIsRefused) {
    for (const char* faults : {"fail=0:", "stop=x:", "fail=:"}) {
        const auto run = ctl({sim(faults), "status"});
        EXPECT_NE(run.exit_code, 0) << faults;
        EXPECT_NE(run.err.find("transfer number"), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(data() / "mouse.state"));
    }
}

TEST_F(FailingMouseTest, AFailedExportSaysWhatFailedAndLeavesNoPieceOfIt) {
    const auto run = ctl({"profile", "export", "0", (data() / "none" / "mine").string()});
    EXPECT_EQ(run.exit_code, 4);
    EXPECT_EQ(run.err, "p330ctl: the folder " + (data() / "none").string() +
                           " does not exist: nothing was exported, choose another name\n");
    EXPECT_FALSE(std::filesystem::exists(data() / "mine.bin"));

    // A write that fails past the checks (a file-size limit the image exceeds and its labels do
    // not): the labels written are said, the image's failure with its caption, and no piece of
    // the image is left, nor a copy in the data folder.
    const std::filesystem::path small = data() / "small";
    std::filesystem::create_directory(small);
    const std::string mine = (small / "mine").string();
    const test::ProgramRun cut = test::run_program(
        "/bin/bash", {"-c", "trap '' XFSZ; ulimit -f 1; exec \"$@\"", "limited", P330CTL_PATH,
                      "--data-dir=" + data().string(), "profile", "export", "0", mine});
    EXPECT_EQ(cut.exit_code, 1) << cut.err;
    EXPECT_EQ(cut.out, "Wrote " + mine + ".ini\n");
    EXPECT_EQ(cut.err.rfind("p330ctl: NULL ==fp: Error Code is: 27", 0), 0u) << cut.err;
    EXPECT_NE(cut.err.find("mine.bin: File too large"), std::string::npos) << cut.err;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(small), {}), 1);
    EXPECT_FALSE(std::filesystem::exists(data() / "mine.bin"));
}

}  // namespace
}  // namespace p330
