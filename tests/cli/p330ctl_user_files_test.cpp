// Bad input, reads and a busy folder: refused or done without touching more, by file.

#include <sys/stat.h>
#include <sys/wait.h>

#include "cli/ctl_fixture.h"
#include "core/formats/ini_document.h"
#include "core/util/file_io.h"
#include "core/util/file_journal.h"
#include "core/util/folder_lock.h"
#include "core/util/quoted_value.h"

namespace p330::test {
namespace {

using UserFilesTest = CtlTest;

// A journal entry as the program writes one: name, size, CRC-32, bytes.
std::string journal_entry(const std::string& name, const std::string& bytes) {
    std::uint32_t c = 0xFFFFFFFFU;
    for (const char byte : bytes) {
        c ^= static_cast<std::uint8_t>(byte);
        for (int k = 0; k < 8; ++k) c = (c & 1U) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
    }
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08x", c ^ 0xFFFFFFFFU);
    return name + "\n" + std::to_string(bytes.size()) + "\n" + crc + "\n" + bytes;
}

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
         {"", "\xff\xfe bad", " lead", "trail ", "tab\there", "evil\xE2\x80\xAEtxt.exe",
          "Fire\xE2\x80\x8B", "\xE3\x80\x80lead", "trail\xE3\x80\x80"}) {
        EXPECT_EQ(ctl({"profile", "rename", "0", name}).exit_code, 2) << name;
        EXPECT_EQ(ctl({"macro", "new", name}).exit_code, 2) << name;
    }
    EXPECT_EQ(ctl({"macro", "new", "\tType_GG"}).exit_code, 2);
    // Characters told by their Unicode properties, at either end or inside: the Arabic letter
    // mark, the widths of blank, the line and paragraph separators, the Hangul filler, the
    // soft hyphen, the joiners at an end, a C1 control, the pop-isolate mark; and a profile
    // name past 31 characters.
    for (const std::string bad : {"x\u061Cy", "x\u2003", "x\u2000y", "x\u200Ay", "\u202Fx",
                                  "x\u205Fy", "x\u1680y", "x\u2028y", "x\u2029", "x\u3164y",
                                  "x\u00ADy", "\u200Cx", "x\u200D", "x\xC2\x95y", "x\u2069y"}) {
        const ProgramRun renamed = ctl({"profile", "rename", "0", bad});
        EXPECT_EQ(renamed.exit_code, 2) << printable(bad);
        EXPECT_EQ(ctl({"macro", "rename", "Type_GG", bad}).exit_code, 2) << printable(bad);
    }
    EXPECT_EQ(ctl({"profile", "rename", "0", std::string(32, 'p')}).err,
              "p330ctl: a profile name has at most 31 characters\n");
    EXPECT_TRUE(profile_files() == files);
    // What scripts and emoji need stays: a joiner inside, a variation selector, CJK blanks.
    for (const std::string& good :
         std::vector<std::string>{"\u0915\u094D\u200D\u0937", "\u2764\uFE0F", "\u4E2D\u3000\u6587",
                                  std::string(31, 'p')})
        EXPECT_EQ(ctl({"profile", "rename", "4", good}).exit_code, 0) << printable(good);
    // Names that print alike are one name: composed and decomposed, or with an ignorable.
    ASSERT_EQ(ctl({"profile", "rename", "2", "Caf\u00E9"}).exit_code, 0);
    EXPECT_EQ(ctl({"profile", "rename", "3", "Cafe\u0301"}).exit_code, 2);
    ASSERT_EQ(ctl({"macro", "rename", "Type_GG", "Caf\u00E9"}).exit_code, 0);
    EXPECT_EQ(ctl({"macro", "new", "CAFe\u0301"}).exit_code, 2);
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
    // A link that leads back to itself is named as what it is, not as a missing folder.
    const std::string loop = (dir.path() / "loop").string();
    std::filesystem::create_symlink("loop", loop);
    refused({"import-windows", loop}, 4, loop + " cannot be reached: Too many levels");
    refused({"export-text", loop + "/p.txt"}, 4, "the folder " + loop + " cannot be reached");
    const ProgramRun looped = run_program(P330CTL_PATH, {"--data-dir=" + loop, "get"});
    EXPECT_NE(looped.err.find("the data folder " + loop + " cannot be reached"), std::string::npos)
        << looped.err;

    // A data folder the user may not write is named as the cause, for a change of one file as
    // for one of several (root is kept to the folder's permissions by dropping its overrides).
    ASSERT_EQ(::chmod(data().c_str(), 0555), 0);
    for (const std::string change : {"dpi.1=900", "button.4=forward"}) {
        std::string program = P330CTL_PATH;
        std::vector<std::string> args = {"--data-dir=" + data().string(), "set", change};
        if (::geteuid() == 0) {
            args.insert(args.begin(), {"--bounding-set=-dac_override,-dac_read_search", program});
            program = "/usr/bin/setpriv";
        }
        const ProgramRun run = run_program(program, args);
        EXPECT_EQ(run.exit_code, 1) << change << ": " << run.err;
        EXPECT_NE(run.err.find("the data folder " + data().string() + " cannot be written"),
                  std::string::npos)
            << run.err;
    }
    ::chmod(data().c_str(), 0700);
    EXPECT_EQ(profile_files(), files);
    EXPECT_FALSE(std::filesystem::exists(data() / kJournalName));
}

// import-windows holds the Windows program's folder to the rules every other way in applies,
// before anything is written: what it refuses names the file, the entry and the rule.
TEST_F(UserFilesTest, ImportWindowsRefusesWhatNoOtherWayInTakes) {
    namespace fs = std::filesystem;
    const TempDir win;
    const std::string files = profile_files(), list = read("str.ini");
    const auto refused = [&](const std::string& name, const std::string& text,
                             const std::string& why) {
        std::ofstream(win.path() / name, std::ios::binary) << text;
        const ProgramRun run = ctl({"import-windows", win.path().string()});
        EXPECT_EQ(run.exit_code, 4) << text;
        EXPECT_NE(run.err.find((win.path() / name).string() + ": " + why), std::string::npos)
            << run.err;
        EXPECT_TRUE(profile_files() == files) << "changed by " << text;
        EXPECT_FALSE(fs::exists(data() / (name + ".bak")));
        fs::remove(win.path() / name);
    };
    for (const std::string count : {"7", "10000", "-3"})
        refused("str.ini", "[Profile]\nItemCount=" + count + "\nItem0=A\n",
                "[Profile] ItemCount='" + count + "'");
    refused("str.ini", "[Profile]\nItemCount=2\nItem0=A\nItem1=B\x1b[2J\n",
            "[Profile] Item1: a profile name cannot hold control");
    refused("str.ini",
            "[Profile]\nItemCount=1\nItem0=\xE2\x80\xAE"
            "evil\n",
            "[Profile] Item0: a profile name cannot hold invisible");
    refused("str.ini", "[Profile]\nItemCount=1\nItem0=" + std::string(32, 'n') + "\n",
            "[Profile] Item0: a profile name has at most 31 characters");
    std::string long_macro = "[Long]\nItemCount=4097\n";
    for (int i = 0; i < 4097; ++i) long_macro += "Item" + std::to_string(i) + "=A   Dn\n";
    refused("record.ini", long_macro, "[Long] ItemCount='4097'");
    refused("record.ini", "[A]\nItemCount=999999999\n", "[A] ItemCount='999999999'");
    refused("record.ini", "[A]\nItemCount=1\nItem0=A   Dn\n[B]\n[a]\nItemCount=0\n",
            "[a] is a second macro named as [A]");
    refused("record.ini", "[A]\nItemCount=2\nItem0=A   Dn\n", "[A] Item1=''");
    refused("record.ini", "[M\xE2\x80\x8B]\nItemCount=0\n",
            "[M\xE2\x80\x8B] a macro name cannot hold invisible");

    // What the rules take comes over, and the folder works afterwards.
    // A macro longer than its block comes over with the note that the mouse plays it cut.
    std::string win_macro = "[Win]\nItemCount=140\n";
    for (int i = 0; i < 140; ++i)
        win_macro += "Item" + std::to_string(i) + (i % 2 ? "=A   Up\n" : "=A   Dn\n");
    std::ofstream(win.path() / "record.ini") << win_macro;
    std::ofstream(win.path() / "str.ini") << list;
    const ProgramRun taken = ctl({"import-windows", win.path().string()});
    EXPECT_EQ(taken.exit_code, 0) << taken.err;
    EXPECT_NE(taken.out.find("macro 'Win' is stored CUT to the 63 event pairs"), std::string::npos)
        << taken.out;
    EXPECT_NE(ctl({"macros"}).out.find("Win"), std::string::npos);
    EXPECT_EQ(ctl({"get", "dpi.1"}).exit_code, 0);
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

// Every file written outside the folder is told from the folder's own by identity: a hard
// link, a second path through a bind mount, another user's link in a shared sticky folder.
TEST_F(UserFilesTest, TraceAndExportsAreRefusedByIdentityNotByPath) {
    namespace fs = std::filesystem;
    const std::string files = profile_files();
    const TempDir outside;
    const fs::path& out = outside.path();
    fs::create_hard_link(data() / "str.ini", out / "t.txt");
    fs::create_hard_link(data() / "record.ini", out / "r.txt");
    const ProgramRun traced = ctl(
        {"--device=sim:" + (out / "m").string(), "--trace=" + (out / "t.txt").string(), "status"});
    EXPECT_EQ(traced.exit_code, 2) << traced.err;
    EXPECT_NE(traced.err.find("choose another trace file"), std::string::npos) << traced.err;
    EXPECT_EQ(ctl({"export-text", (out / "r.txt").string()}).exit_code, 2);
    EXPECT_TRUE(profile_files() == files);
    EXPECT_EQ(ctl({"profiles"}).exit_code, 0);
    // A trace into a new file, into a pipe's place (a terminal) and into "-" still works.
    ASSERT_EQ(ctl({"--device=sim:" + (out / "m").string(), "--trace=" + (out / "new.txt").string(),
                   "status"})
                  .exit_code,
              0);
    EXPECT_GT(fs::file_size(out / "new.txt"), 0U);
    EXPECT_EQ(ctl({"--trace=/dev/null", "profiles"}).exit_code, 0);

    if (::geteuid() == 0) {  // another user's link in a sticky shared folder
        const fs::path shared = out / "shared";
        fs::create_directory(shared);
        ::chmod(shared.c_str(), 01777);
        write("victim", "keep");
        fs::create_symlink(data() / "victim", shared / "planted.txt");
        ASSERT_EQ(::lchown((shared / "planted.txt").c_str(), 65534, 65534), 0);
        EXPECT_NE(ctl({"--trace=" + (shared / "planted.txt").string(), "profiles"}).exit_code, 0);
        EXPECT_EQ(read("victim"), "keep");
    }

    // The data folder bind-mounted at a second path, in a private user and mount namespace.
    if (run_program("/usr/bin/unshare", {"-rm", "true"}).exit_code != 0)
        GTEST_SKIP() << "user and mount namespaces are not permitted here: no bind mount";
    fs::create_directory(out / "bm");
    const ProgramRun bound = run_program(
        "/usr/bin/unshare", {"-rm", "sh", "-c",
                             "mount --bind \"$1\" \"$2\" && exec \"$3\" --data-dir=\"$1\" "
                             "export-text \"$2/record.ini\"",
                             "sh", data().string(), (out / "bm").string(), P330CTL_PATH});
    EXPECT_EQ(bound.exit_code, 2) << bound.err;
    EXPECT_NE(bound.err.find("data folder's own files"), std::string::npos) << bound.err;
    EXPECT_TRUE(profile_files() == files);
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
    EXPECT_TRUE(profile_files() == files);

    // What a copy killed before its rename leaves, the next command removes, a read too.
    const pid_t child = ::fork();
    if (child == 0) {
        (void)write_file_atomically(marked_temp_name(data() / "str4.ini", "seed"), "x");
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    const auto leftovers = [&] {
        int n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(data()))
            n += entry.path().filename().string().starts_with(".str4.ini.p330-tmp-") ? 1 : 0;
        return n;
    };
    ASSERT_EQ(leftovers(), 1);
    EXPECT_EQ(ctl({"get", "dpi.1"}).exit_code, 0);
    EXPECT_EQ(leftovers(), 0);

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

namespace p330::test {
namespace {

// A journal left in the folder is finished by the next command when it reads back whole and
// checked; anything else is set aside under a name the user is told, and nothing of it lands.
TEST_F(UserFilesTest, AJournalIsFinishedOnlyWhenItReadsBackWholeElseSetAside) {
    namespace fs = std::filesystem;
    const std::string files = profile_files(), magic = "p330 journal 2\n";
    const std::string list = read("str.ini");
    std::string renamed = list;
    renamed.replace(renamed.find("Item1=PROFILE_1"), 15, "Item1=Journaled");
    std::string bad_sum = magic + journal_entry("str.ini", renamed);
    bad_sum[bad_sum.size() - 3] ^= 1;
    const std::vector<std::string> refused = {
        bad_sum,
        magic + journal_entry("config0.bin", "12345"),
        magic + journal_entry("str.ini", renamed) + journal_entry("new.txt", "x"),
        magic + journal_entry("str.ini", renamed).substr(0, 30),
        "p330 journal 1\nstr.ini\n3\nabc",
    };
    for (const std::string& journal : refused) {
        write(".p330-journal", journal);
        const ProgramRun run = ctl({"profiles"});
        EXPECT_EQ(run.exit_code, 0) << run.err;
        EXPECT_NE(run.err.find("set aside as " + (data() / "p330-journal-unreadable-").string()),
                  std::string::npos)
            << run.err;
        EXPECT_FALSE(fs::exists(data() / ".p330-journal"));
        EXPECT_FALSE(fs::exists(data() / "new.txt"));
        EXPECT_TRUE(profile_files() == files);
    }
    // A folder, a pipe or a file past any change's size in the journal's place is no journal.
    fs::create_directory(data() / ".p330-journal");
    EXPECT_EQ(ctl({"set", "dpi.1=1500"}).exit_code, 0);
    ASSERT_EQ(::mkfifo((data() / ".p330-journal").c_str(), 0600), 0);
    const ProgramRun fifo = ctl({"get", "dpi.1"});
    EXPECT_EQ(fifo.out, "1500\n") << fifo.err;
    EXPECT_NE(fifo.err.find("unreadable-7"), std::string::npos) << fifo.err;
    write(".p330-journal", magic);
    fs::resize_file(data() / ".p330-journal", std::uintmax_t{65} * 1024 * 1024);  // sparse
    const ProgramRun huge = ctl({"get", "dpi.1"});
    EXPECT_EQ(huge.out, "1500\n") << huge.err;
    EXPECT_NE(huge.err.find("larger than"), std::string::npos) << huge.err;
    fs::remove(data() / "p330-journal-unreadable-8");

    write(".p330-journal", magic + journal_entry("str.ini", renamed));
    const ProgramRun read_back = ctl({"profiles"});
    EXPECT_EQ(read_back.exit_code, 0);
    EXPECT_NE(read_back.out.find("Journaled"), std::string::npos) << read_back.out;
    EXPECT_EQ(read("str.ini"), renamed);
    EXPECT_FALSE(fs::exists(data() / ".p330-journal"));
}

// A disk that fills up: before the journal is durable a change fails and leaves nothing; after
// it, the change is committed and said so, reads see it, and the next writer with room
// completes it. On a small tmpfs in a private user and mount namespace.
TEST_F(UserFilesTest, ADiskFullChangeIsEitherNoneOrCommittedAndReadAsCommitted) {
    if (run_program("/usr/bin/unshare", {"-rm", "true"}).exit_code != 0)
        GTEST_SKIP() << "user and mount namespaces are not permitted here: no small tmpfs";
    // Free space grows a page at a time until the journal fits but the files do not.
    const std::string script = R"sh(
S=$1; CTL=$2; SRC=$3; M=$S/t
mkdir "$M" && mount -t tmpfs -o size=2m none "$M" || exit 99
for k in $(seq 1 60); do
  rm -rf "$M/d" "$M/fill"; mkdir "$M/d"; cp -a "$SRC/." "$M/d/"
  dd if=/dev/zero of="$M/fill" bs=4096 2>/dev/null
  truncate -s -$((k * 4096)) "$M/fill"
  "$CTL" --data-dir="$M/d" set language=CHS >"$S/out" 2>&1; rc=$?
  if [ -e "$M/d/.p330-journal" ]; then echo "committed $rc"; cat "$S/out"; break; fi
  [ $rc -eq 0 ] && { echo "no full disk at $k"; exit 1; }
  cmp -s "$SRC/str.ini" "$M/d/str.ini" || echo "changed before its journal"
  [ "$(ls -A "$M/d" | grep -v '^\.p330\.lock$')" = "$(ls -A "$SRC")" ] || echo "left behind"
done
r=$("$CTL" --data-dir="$M/d" get language 2>&1); echo "read: $r $?"
"$CTL" --data-dir="$M/d" set dpi.1=1500 2>&1; echo "write while full $?"
rm "$M/fill"
echo "after: $("$CTL" --data-dir="$M/d" get language 2>&1)"
[ -e "$M/d/.p330-journal" ] && echo "journal stays"
"$CTL" --data-dir="$M/d" get dpi.1
)sh";
    const TempDir scratch;
    const ProgramRun run = run_program(
        "/usr/bin/unshare",
        {"-rm", "sh", "-c", script, "sh", scratch.path().string(), P330CTL_PATH, data().string()});
    if (run.exit_code == 99) GTEST_SKIP() << "tmpfs cannot be mounted here: " << run.err;
    const std::string& out = run.out;
    EXPECT_NE(out.find("committed 0\n"), std::string::npos) << out;
    EXPECT_NE(out.find("saved but not yet completed"), std::string::npos) << out;
    EXPECT_NE(out.find("No space left on device"), std::string::npos) << out;
    EXPECT_EQ(out.find("changed before its journal"), std::string::npos) << out;
    EXPECT_EQ(out.find("left behind"), std::string::npos) << out;
    EXPECT_NE(out.find("read: CHS 0"), std::string::npos) << out;
    EXPECT_NE(out.find("cannot be completed yet"), std::string::npos) << out;
    EXPECT_NE(out.find("write while full 1"), std::string::npos) << out;
    EXPECT_NE(out.find("after: CHS"), std::string::npos) << out;
    EXPECT_EQ(out.find("journal stays"), std::string::npos) << out;
    EXPECT_NE(out.find("\n800\n"), std::string::npos) << out;
}

}  // namespace
}  // namespace p330::test
