#include "core/formats/windows_import.h"

#include <gtest/gtest.h>

#include "fixtures/data_folder.h"

namespace p330 {
namespace {

std::string utf16le_with_mark(const std::u16string& text) {
    std::string out = "\xFF\xFE";
    for (const char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

class WindowsImportTest : public ::testing::Test {
  protected:
    test::TestDataFolder source, target;
};

TEST_F(WindowsImportTest, EachEncodingBecomesUtf8) {
    const struct {
        const char* lan;
        std::string str0;  // the word "left key" in the language's own encoding
        const char* utf8;
        const char* found_as;
    } cases[] = {
        {"CHS", "\xD7\xF3\xBC\xFC", "左键", "GBK"},
        {"CHT", "\xA5\xAA\xC1\xE4", "左鍵", "BIG5"},
        {"EN", "Caf\xE9", "Café", "WINDOWS-1252"},
        {"CHS", utf16le_with_mark(u"[Setting-CHS]\r\nItem1=左键\r\n"), "左键", "UTF-16LE"},
        {"CHS", "左键", "左键", "UTF-8"},
    };
    for (const auto& c : cases) {
        source.write("str.ini", std::string("[Skins]\r\nLan=") + c.lan + "\r\n");
        const bool whole = c.str0.starts_with("\xFF\xFE");
        source.write("str0.ini", whole ? c.str0 : "[Setting-CHS]\r\nItem1=" + c.str0 + "\r\n");
        Result<std::vector<ImportedFile>> files = read_windows_folder(source.dir.path());
        ASSERT_TRUE(files) << files.error().message;
        ASSERT_EQ(files->size(), 2u);
        EXPECT_EQ((*files)[1].found_as, c.found_as);
        EXPECT_NE((*files)[1].bytes.find(std::string("Item1=") + c.utf8), std::string::npos)
            << (*files)[1].bytes;
    }
}

TEST_F(WindowsImportTest, OneBadFileStopsEverythingAndReplacedFilesAreKept) {
    source.write_image("config0.bin", 'x', 1);
    source.write("record.ini", "[M]\nItemCount=0\n");
    source.write_image("config1.bin", 'x', 1, kProfileImageSize - 1);
    EXPECT_FALSE(read_windows_folder(source.dir.path()));
    EXPECT_FALSE(read_windows_folder(target.dir.path()));  // holds nothing to import

    source.write_image("config1.bin", 'y', 1);
    target.write("record.ini", "[Mine]\n");
    Result<std::vector<ImportedFile>> files = read_windows_folder(source.dir.path());
    ASSERT_TRUE(files);
    ASSERT_TRUE(write_imported_files(*files, target.dir.path()));
    EXPECT_EQ(target.read("record.ini.bak"), "[Mine]\n");
    EXPECT_EQ(target.read("record.ini"), "[M]\nItemCount=0\n");
    EXPECT_EQ(target.read("config1.bin"), source.read("config1.bin"));
    EXPECT_FALSE(target.exists("config1.bin.bak"));
}

}  // namespace
}  // namespace p330
