// Bad input, reads and a busy folder: refused or done without touching more, by file.

#include <sys/stat.h>
#include <sys/wait.h>

#include "cli/ctl_fixture.h"
#include "core/formats/ini_document.h"
#include "core/util/file_io.h"
#include "core/util/folder_lock.h"

namespace p330::test {
namespace {

using UserFilesTest = CtlTest;

TEST_F(UserFilesTest, RecordIniIsNeverWrittenByAReadNorPastWhatItsReaderTakes) {
    std::string record = read("record.ini");
    record.replace(record.find("MacroLoopTimes=1"), 16, "MacroLoopTimes=70000");
    write("record.ini", record);
    const auto before = std::filesystem::last_write_time(data() / "record.ini");
    EXPECT_EQ(ctl({"macro", "show", "Type_GG"}).exit_code, 0);
    EXPECT_EQ(ctl({"macro", "show", "NoSuchMacro"}).exit_code, 2);
    EXPECT_EQ(ctl({"macros"}).exit_code, 0);
    EXPECT_EQ(ctl({"get"}).exit_code, 0);
    EXPECT_EQ(std::filesystem::last_write_time(data() / "record.ini"), before);
    EXPECT_FALSE(std::filesystem::exists(data() / ".p330.lock"));  // nor creates a lock file

    // Standard input past the items limit, and more items than a reader takes back.
    const std::string files = profile_files();
    std::string items;
    while (items.size() <= std::size_t{256} * 1024) items += "A   Dn\nA   Up\n";
    write("items.txt", items);
    const auto items_file = (data() / "items.txt").string();
    const ProgramRun piped =
        run_program("/bin/sh", {"-c", std::string(P330CTL_PATH) + " --data-dir=" + data().string() +
                                          " macro import-items Type_GG - < " + items_file});
    EXPECT_EQ(piped.exit_code, 4) << piped.err;
    EXPECT_NE(piped.err.find("262144 bytes"), std::string::npos) << piped.err;
    write("items.txt", items.substr(0, std::size_t{14} * 2100));
    const ProgramRun many = ctl({"macro", "import-items", "Type_GG", items_file});
    EXPECT_NE(many.err.find("at most 4096 items"), std::string::npos) << many.err;
    EXPECT_EQ(profile_files(), files);

    // A file at the size limit made of empty sections is read in linear time.
    std::string sections;
    while (sections.size() + 8 <= kMaxIniFileSize)
        sections += "[S" + std::to_string(sections.size() % 9999) + "]\n";
    write("record.ini", sections);
    EXPECT_EQ(ctl({"macros"}).exit_code, 0);
}

// A first start with --data-dir just works: a missing or empty folder is made from the shipped
// defaults; a folder holding something else is left alone and the message says how to start.
TEST_F(UserFilesTest, ANewDataFolderIsMadeFromTheDefaultsAndAStrangeOneIsRefused) {
    namespace fs = std::filesystem;
    const fs::path fresh = dir.path() / "fresh";
    const ProgramRun made =
        run_program(P330CTL_PATH, {"--data-dir=" + fresh.string(), "get", "dpi.1"});
    ASSERT_EQ(made.exit_code, 0) << made.err;
    EXPECT_EQ(made.out, "800\n");
    std::ifstream copied(fresh / "config3.bin", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copied), {}), read("config3.bin"));
    EXPECT_EQ(fs::status(fresh).permissions() & fs::perms::all, fs::perms::owner_all);
    const TempDir empty;
    const ProgramRun listed =
        run_program(P330CTL_PATH, {"--data-dir=" + empty.path().string(), "profiles"});
    EXPECT_EQ(listed.exit_code, 0) << listed.err;
    EXPECT_TRUE(fs::exists(empty.path() / "str.ini"));

    const TempDir strange;
    std::ofstream(strange.path() / "notes.txt") << "mine";
    for (const char* command : {"get", "profiles", "macros"}) {
        const ProgramRun refused =
            run_program(P330CTL_PATH, {"--data-dir=" + strange.path().string(), command});
        EXPECT_EQ(refused.exit_code, 4) << command;
        EXPECT_NE(refused.err.find("holds files but no profile list (str.ini)"), std::string::npos)
            << refused.err;
        EXPECT_NE(refused.err.find("name a new or empty folder"), std::string::npos);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(strange.path()), {}), 1);
}

// Copy gives the new entry the copied profile's settings and labels: what the files, another
// command and the mouse then get at its position.
TEST_F(UserFilesTest, CopyGivesTheNewPositionTheProfilesFiles) {
    ASSERT_EQ(ctl({"set", "--profile", "1", "dpi.1=1500", "button.4=key:A"}).exit_code, 0);
    ASSERT_EQ(ctl({"profile", "delete", "5"}).exit_code, 0);
    const ProgramRun copied = ctl({"profile", "copy", "1"});
    ASSERT_EQ(copied.exit_code, 0) << copied.err;
    EXPECT_NE(copied.out.find("at position 5"), std::string::npos) << copied.out;
    EXPECT_NE(read("str.ini").find("Item5=Copy PROFILE_1\n"), std::string::npos);
    EXPECT_EQ(read("config5.bin"), read("config1.bin"));
    EXPECT_EQ(read("str5.ini"), read("str1.ini"));
    EXPECT_FALSE(std::filesystem::exists(data() / ".p330-journal"));
    EXPECT_EQ(ctl({"get", "--profile", "5", "button.4"}).out, "key:A\n");
    ASSERT_EQ(ctl({sim(), "apply", "--profile", "5"}).exit_code, 0);
    EXPECT_EQ(sim_hex("slot 0 parameters", 0x54), "1E");  // 1500 DPI in steps of 50
    // A profile whose image cannot be read is not copied: nothing changes.
    std::filesystem::remove(data() / "config2.bin");
    ASSERT_EQ(ctl({"profile", "delete", "5"}).exit_code, 0);
    const std::string list = read("str.ini");
    EXPECT_EQ(ctl({"profile", "copy", "2"}).exit_code, 4);
    EXPECT_EQ(read("str.ini"), list);
    EXPECT_EQ(read("config5.bin"), read("config1.bin"));
}

TEST_F(UserFilesTest, BadNamesAreRefusedAndNothingChanges) {
    const std::string files = profile_files();
    for (const std::string name :
         {"", "\xff\xfe bad", " lead", "trail ", "tab\there", "evil\xE2\x80\xAEtxt.exe"}) {
        EXPECT_EQ(ctl({"profile", "rename", "0", name}).exit_code, 2) << name;
        EXPECT_EQ(ctl({"macro", "new", name}).exit_code, 2) << name;
    }
    EXPECT_EQ(ctl({"macro", "new", "\tType_GG"}).exit_code, 2);
    EXPECT_EQ(profile_files(), files);
    // An entry another program left empty is copied without a blank at the end.
    std::string list = read("str.ini");
    write("str.ini", list.replace(list.find("Item1=PROFILE_1"), 15, "Item1="));
    ASSERT_EQ(ctl({"profile", "delete", "5"}).exit_code, 0);
    ASSERT_EQ(ctl({"profile", "copy", "1"}).exit_code, 0);
    EXPECT_NE(read("str.ini").find("Item5=Copy\n"), std::string::npos) << read("str.ini");
}

TEST_F(UserFilesTest, ImportAndExportNeverBreakTheDataFolder) {
    ASSERT_EQ(ctl({"profile", "export", "0", (dir.path() / "out").string() + "x"}).exit_code, 0);
    write("outx.ini", "[English]\nItem1=\xff\xc0\n");
    const std::string labels = read("str1.ini");
    const ProgramRun imported = ctl({"profile", "import", "1", (data() / "outx.bin").string()});
    EXPECT_EQ(imported.exit_code, 4) << imported.err;
    EXPECT_EQ(read("str1.ini"), labels);

    const std::string all = profile_files() + read("config3.bin") + read("config.bin");
    for (const std::string name : {"config3", "record", "config", "str"}) {
        const ProgramRun exported = ctl({"profile", "export", "0", (data() / name).string()});
        EXPECT_NE(exported.err.find("data folder's own files"), std::string::npos) << name;
    }
    EXPECT_EQ(profile_files() + read("config3.bin") + read("config.bin"), all);

    // A link another user planted in a shared sticky folder is not written through.
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to plant another user's link";
    const auto shared = dir.path() / "shared";
    std::filesystem::create_directory(shared);
    ::chmod(shared.c_str(), 01777);
    write("victim", "keep");
    std::filesystem::create_symlink(data() / "victim", shared / "planted.bin");
    ASSERT_EQ(::lchown((shared / "planted.bin").c_str(), 65534, 65534), 0);
    EXPECT_EQ(ctl({"profile", "export", "0", (shared / "planted.bin").string()}).exit_code, 1);
    EXPECT_EQ(read("victim"), "keep");
}

// One line per cause, with the same exit status whichever command meets it; nothing written.
TEST_F(UserFilesTest, RefusalsNameTheirCauseWithOneStatus) {
    const std::string files = profile_files(), nodir = (dir.path() / "nodir").string();
    const auto refused = [&](std::vector<std::string> args, int status, const std::string& why) {
        const ProgramRun run = ctl(args);
        EXPECT_EQ(run.exit_code, status) << args[0] << " " << run.err;
        EXPECT_NE(run.err.find(why), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    };
    refused({"export-text", nodir + "/p.txt"}, 4, "the folder " + nodir + " does not exist");
    refused({"profile", "export", "1", (data() / "config4").string()}, 2, "own files");
    refused({"export-text", (data() / "str.ini").string()}, 2, "own files");
    refused({"export-text", data().string()}, 4, "is not a regular file");
    refused({"import-text", data().string()}, 4, "is not a regular file");
    refused({"import-windows", nodir}, 4, nodir + " does not exist");
    refused({"profile", "import", "2", (data() / "str.ini").string()}, 2, "must end in .bin");
    refused({"profile", "import", "2", nodir + "/x.bin"}, 4, nodir + "/x.bin does not exist");
    EXPECT_EQ(profile_files(), files);
    const ProgramRun file =
        run_program(P330CTL_PATH, {"--data-dir=" + (data() / "str.ini").string(), "get"});
    EXPECT_NE(file.err.find("is not a folder"), std::string::npos) << file.err;
}

TEST_F(UserFilesTest, WrittenFilesAreNeverTheFoldersOwnNorDevicesAndStdinIsReadBoundedFirst) {
    namespace fs = std::filesystem;
    const std::string files = profile_files() + read("config3.bin");
    const TempDir outside;
    const fs::path& out = outside.path();
    fs::create_symlink(data() / "config0.bin", out / "link.txt");
    fs::create_symlink(data() / "config3.bin", out / "lnk.bin");
    ASSERT_EQ(::mkfifo((out / "fifo").c_str(), 0600), 0);
    for (const fs::path& target :
         {data() / "config0.bin", data() / "str0.ini", data() / ".p330.lock",
          data() / ".p330-journal", out / "link.txt"}) {
        const ProgramRun run = ctl({"export-text", target.string()});
        EXPECT_EQ(run.exit_code, 2) << target;
        EXPECT_NE(run.err.find("data folder's own files"), std::string::npos) << run.err;
    }
    EXPECT_EQ(ctl({"profile", "export", "0", (out / "lnk").string()}).exit_code, 2);
    EXPECT_EQ(ctl({"--trace=" + (data() / "record.ini").string(), "profiles"}).exit_code, 2);
    const ProgramRun fifo = ctl({"export-text", (out / "fifo").string()});
    EXPECT_NE(fifo.err.find("use - for standard output"), std::string::npos) << fifo.err;
    EXPECT_TRUE(fs::is_fifo(out / "fifo"));
    EXPECT_TRUE(fs::is_regular_file(data() / ".p330.lock"));
    EXPECT_EQ(profile_files() + read("config3.bin"), files);

    // Endless standard input is cut at the text limit; the folder is not locked while a
    // slow writer (here one that first runs another command on the folder) is read.
    const std::string ctl_path = std::string(P330CTL_PATH) + " --data-dir=" + data().string();
    const ProgramRun endless =
        run_program("/bin/sh", {"-c", "yes '# c' | " + ctl_path + " import-text -"});
    EXPECT_EQ(endless.exit_code, 4);
    EXPECT_NE(endless.err.find("1048576 bytes"), std::string::npos) << endless.err;
    ASSERT_EQ(ctl({"export-text", (out / "p.txt").string()}).exit_code, 0);
    const ProgramRun slow = run_program(
        "/bin/sh", {"-c", "{ " + ctl_path + " profiles >/dev/null || echo busy >&2; cat " +
                              (out / "p.txt").string() + "; } | " + ctl_path + " import-text -"});
    EXPECT_EQ(slow.exit_code, 0) << slow.err;
    EXPECT_EQ(slow.err, "");
}

TEST_F(UserFilesTest, ABusyFolderTimesOutAndKilledCopiesLeaveNothing) {
    const std::string files = profile_files();
    {  // Readers share the folder once a writer has made its lock file; a change waits.
        write(".p330.lock", "");
        const Result<FolderLock> reading = FolderLock::acquire_for_reading(data());
        EXPECT_EQ(ctl({"get", "dpi.1"}).out, "800\n");
        EXPECT_NE(ctl({"set", "dpi.1=1500"}).err.find("is busy"), std::string::npos);
    }
    {
        const Result<FolderLock> held = FolderLock::acquire(data());
        const ProgramRun waited = ctl({"set", "dpi.1=1500"});
        EXPECT_EQ(waited.exit_code, 1);
        EXPECT_NE(waited.err.find("is busy"), std::string::npos) << waited.err;
    }
    EXPECT_EQ(profile_files(), files);

    // What a first-run copy killed before its rename leaves, the next start removes.
    const pid_t child = ::fork();
    if (child == 0) {
        (void)write_file_atomically(marked_temp_name(data() / "str4.ini", "seed"), "x");
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(remove_stale_temp_files(data()), 1);

    // An export killed before its rename leaves its temporary beside the target, outside the
    // data folder: the next export there takes it away, never a running writer's.
    const TempDir outside;
    const std::filesystem::path target = outside.path() / "mouse.txt";
    if (const pid_t killed = ::fork(); killed == 0) {
        (void)write_file_atomically(marked_temp_name(target, "1"), "x");
        ::_exit(0);
    } else {
        ::waitpid(killed, nullptr, 0);
    }
    (void)write_file_atomically(marked_temp_name(target, "2"), "x");  // this running process's
    ASSERT_EQ(ctl({"export-text", target.string()}).exit_code, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(outside.path()), {}), 2);
    EXPECT_TRUE(std::filesystem::exists(marked_temp_name(target, "2")));
}

}  // namespace
}  // namespace p330::test
