#include "core/formats/ini_document.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>

#include "core/util/file_io.h"
#include "fixtures/temp_dir.h"

namespace p330 {
namespace {

std::string read_text(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

TEST(IniDocumentTest, NamesMatchWithoutCaseAndValuesComeBackAsWritten) {
    auto doc = IniDocument::parse("[Profile]\nItemCount = 6 \nitem0=PROFILE_0\n[skins]\nLan=CHS\n");
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->get("PROFILE", "itemcount"), "6");
    EXPECT_EQ(doc->get("Profile", "Item0"), "PROFILE_0");
    EXPECT_EQ(doc->get("Skins", "LAN"), "CHS");
    EXPECT_EQ(doc->get("Skins", "Path"), std::nullopt);
    EXPECT_EQ(doc->get("Nothing", "Lan"), std::nullopt);
    doc->set("Macro", "Item0", "=   Dn");  // a value may hold '=' and inner blanks
    auto again = IniDocument::parse(doc->serialise());
    EXPECT_EQ(again->get("macro", "ITEM0"), "=   Dn");
}

TEST(IniDocumentTest, SectionOrderWritesAndDeletes) {
    auto doc = IniDocument::parse("; kept comment\n[A]\nk=1\n\n[B]\nk=2\n[C]\nk=3\n");
    ASSERT_TRUE(doc);
    doc->set("b", "k", "20");  // an existing section stays where it is
    EXPECT_EQ(doc->section_names(), (std::vector<std::string>{"A", "B", "C"}));
    doc->remove_section("A");
    doc->set("A", "k", "10");  // a written missing section goes to the end
    EXPECT_EQ(doc->section_names(), (std::vector<std::string>{"B", "C", "A"}));
    const std::string text = doc->serialise();
    EXPECT_EQ(text.rfind("; kept comment", 0), 0u);
    EXPECT_NE(text.find("k=20"), std::string::npos);
}

TEST(IniDocumentTest, ReadsWindowsEncodings) {
    // UTF-8 with a byte-order mark and CRLF lines.
    auto utf8 = IniDocument::parse("\xEF\xBB\xBF[Skins]\r\nLan=CHT\r\n");
    ASSERT_TRUE(utf8);
    EXPECT_EQ(utf8->get("Skins", "Lan"), "CHT");
    // UTF-16LE with its mark, as the Windows program writes: "[S]\r\nx=宏\r\n".
    const std::u16string text = u"[S]\r\nx=\u5B8F\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    auto utf16 = IniDocument::parse(bytes);
    ASSERT_TRUE(utf16);
    EXPECT_EQ(utf16->get("S", "x"), "宏");
    // A mark after leading blanks is not part of the first key, so a save reads back the same.
    auto stray = IniDocument::parse(" \xEF\xBB\xBFUp=1\n[S]\n\xEF\xBB\xBFk=2\n");
    ASSERT_TRUE(stray);
    EXPECT_EQ(stray->serialise(), "Up=1\n[S]\nk=2\n");
    EXPECT_EQ(stray->get("s", "K"), "2");
}

TEST(IniDocumentTest, RefusesFilesThatAreNotTextOrTooLarge) {
    test::TempDir dir;
    const auto binary = dir.path() / "binary.ini";
    std::ofstream(binary, std::ios::binary) << std::string("[A]\nk=\0\x01", 7);
    auto refused = IniDocument::load(binary);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code, ErrorCode::kInvalidData);
    EXPECT_FALSE(IniDocument::parse("[A]\nk=\xC3\x28\n"));  // invalid UTF-8

    const auto big = dir.path() / "big.ini";
    std::ofstream(big) << std::string(kMaxIniFileSize + 1, 'x');
    EXPECT_FALSE(IniDocument::load(big));
    EXPECT_FALSE(ini_write_value(big, "A", "k", "v"));
    EXPECT_EQ(std::filesystem::file_size(big), kMaxIniFileSize + 1);  // left untouched

    EXPECT_TRUE(IniDocument::load(dir.path() / "missing.ini"));  // a missing file is empty
}

TEST(IniDocumentTest, WriteCreatesAMissingFile) {
    test::TempDir dir;
    const auto path = dir.path() / "record.ini";
    ASSERT_TRUE(ini_write_value(path, "Macro_0", "MacroLoopTimes", "1"));
    EXPECT_EQ(read_text(path), "[Macro_0]\nMacroLoopTimes=1\n");
}

// A write that fails half way (here: the file size limit, as a full disk would) leaves the
// old file whole and no temporary file behind.
TEST(AtomicWriteTest, FailedWriteLeavesTheOldFileAndNoDebris) {
    test::TempDir dir;
    const auto path = dir.path() / "config0.bin";
    const std::string old_content(1757, 'o');
    std::ofstream(path, std::ios::binary) << old_content;

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::vector<std::uint8_t> new_content(1757, 'n');
    const Status status = write_file_atomically(path, new_content);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);

    EXPECT_FALSE(status);
    EXPECT_EQ(read_text(path), old_content);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace p330
