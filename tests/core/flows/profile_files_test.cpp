#include "core/flows/profile_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/util/file_journal.h"
#include "fixtures/data_folder.h"

namespace p330 {
namespace {

class ProfileFilesTest : public ::testing::Test {
  protected:
    test::TestDataFolder data;
    ProfileState state;
    SettingsRecord record{};

    LoadResult load() { return choose_and_load_active_profile(data.folder, state, record); }
    SaveResult save() { return save_active_profile(data.folder, state, record, {}, {}); }
};

TEST_F(ProfileFilesTest, ListPicksTheLastItemEqualToTheCurrentName) {
    for (int i = 0; i < 6; ++i)
        data.write_image("config" + std::to_string(i) + ".bin", static_cast<char>('a' + i));
    data.write_profile_list(4, "Work", {"Home", "Work", "Game", "Work"});
    EXPECT_TRUE(load().image_loaded);
    EXPECT_EQ(state.index, 3);
    EXPECT_EQ(record.reserved_01[0], 'd');

    data.write_profile_list(3, "work", {"Home", "Work", "Game"});  // exact: case matters
    EXPECT_TRUE(load().image_loaded);
    EXPECT_EQ(state.index, 3);  // no equal item: the index stays
}

TEST_F(ProfileFilesTest, UnusableCountsLoadNothing) {
    data.write_image("config0.bin", 'x');
    for (const char* count : {"0", "7", "many", ""}) {
        data.write("str.ini",
                   std::string("[Profile]\nCurProfileName=A\nItem0=A\nItemCount=") + count + "\n");
        const LoadResult result = load();
        EXPECT_FALSE(result.image_loaded) << count;
        EXPECT_FALSE(result.message) << count;  // silently
        EXPECT_EQ(record.report_interval, 0) << count;
    }
}

TEST_F(ProfileFilesTest, NegativeCountKeepsTheIndex) {
    data.write_image("config2.bin", 'y');
    data.write_profile_list(-1, "A", {"A"});
    state.index = 2;
    EXPECT_TRUE(load().image_loaded);
    EXPECT_EQ(state.index, 2);
    EXPECT_EQ(record.reserved_01[0], 'y');
}

// A missing, cut-short or unsound image loads nothing and says which file and why; the record
// keeps what it held.
TEST_F(ProfileFilesTest, MissingWrongSizedOrUnsoundImagesAreRefusedWithAMessage) {
    data.write_profile_list(2, "B", {"A", "B"});
    LoadResult missing = load();
    ASSERT_TRUE(missing.message);
    EXPECT_EQ(missing.message->text, "Config file is not exist.");

    for (std::size_t size : {kProfileImageSize - 1, kProfileImageSize + 1, std::size_t{0}}) {
        data.write_image("config1.bin", 'z', 0, size);
        const LoadResult wrong = load();
        EXPECT_FALSE(wrong.image_loaded) << size;
        ASSERT_TRUE(wrong.message) << size;
        EXPECT_NE(wrong.message->text.find("config1.bin"), std::string::npos)
            << wrong.message->text;
        EXPECT_EQ(record.report_interval, 0) << size;
    }
    SettingsRecord unsound = test::sound_record(3);
    unsound.report_interval = 3;
    std::fill_n(unsound.button_kind, kButtonCount, 13);  // no button left on Click
    ASSERT_TRUE(write_profile_image(data.folder.image(1), unsound));
    const LoadResult refused = load();
    EXPECT_FALSE(refused.image_loaded);
    ASSERT_TRUE(refused.message);
    EXPECT_NE(refused.message->text.find("config1.bin is not a profile this program wrote: "
                                         "report_interval is 3, not 1, 2, 4 or 8"),
              std::string::npos)
        << refused.message->text;
    EXPECT_NE(refused.message->text.find("Click on at least one button"), std::string::npos);
    EXPECT_EQ(record.report_interval, 0);
}

TEST_F(ProfileFilesTest, ReservedBytesSurviveLoadAndSave) {
    SettingsRecord patterned = test::sound_record(3);
    auto bytes = record_bytes(patterned);
    for (std::size_t i = 0; i < 4; ++i)
        patterned.reserved_01[i] = static_cast<std::uint8_t>(i * 31);
    // Past the button kinds (all Click) no byte is checked by a reader.
    for (std::size_t i = 0x44; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 31);
    std::string image(1, '\0');
    image.append(bytes.begin(), bytes.end());
    data.write("config0.bin", image);
    data.write_profile_list(1, "A", {"A"});
    const LoadResult loaded = load();
    ASSERT_TRUE(loaded.image_loaded) << loaded.detail;
    record.dpi_stage[0] = 42;  // an edit
    const SaveResult saved = save();
    EXPECT_TRUE(saved.image_written);
    const std::string after = data.read("config0.bin");
    ASSERT_EQ(after.size(), kProfileImageSize);
    EXPECT_EQ(after[0], 1);  // first-run flag: written by the program
    for (std::size_t i = 1; i < image.size(); ++i) {
        if (i == 1 + 0x07) {
            EXPECT_EQ(after[i], 42);
        } else {
            ASSERT_EQ(after[i], image[i]) << "byte " << i - 1 << " of the record";
        }
    }
}

TEST_F(ProfileFilesTest, SavingIntoAMissingImageWritesNothing) {
    state.index = 3;
    const SaveResult saved = save();
    EXPECT_FALSE(saved.image_written);
    ASSERT_TRUE(saved.message);
    EXPECT_EQ(saved.message->text, "Config file is not exist.");
    EXPECT_FALSE(data.exists("config3.bin"));
}

TEST_F(ProfileFilesTest, UnwritableImageAfterTheJournalIsSavedAndSaidSo) {
    data.write_image("config0.bin", 'a');
    // The image path is a directory: the rename into place fails once the change's journal
    // (labels and image) is on disk, so the change is made, and completed later.
    std::filesystem::remove(data.dir.path() / "config0.bin");
    std::filesystem::create_directory(data.dir.path() / "config0.bin");
    (void)take_journal_notice();
    const SaveResult saved = save();
    EXPECT_FALSE(saved.message);
    const std::string notice = take_journal_notice();
    EXPECT_NE(notice.find("saved but not yet completed"), std::string::npos) << notice;
    EXPECT_NE(notice.find("config0.bin: Is a directory"), std::string::npos) << notice;
    EXPECT_TRUE(data.exists(".p330-journal"));
}

TEST_F(ProfileFilesTest, ExportWithoutExtensionWritesBothCopies) {
    test::TempDir elsewhere;
    record = test::sound_record(4);
    record.dpi_stage[1] = 33;
    const std::array<std::string, kButtonCount> labels = {"Click", "Menu", "x", "x",
                                                          "x",     "x",    "x", "Last"};
    const ExportResult result = export_profile(elsewhere.path() / "mine", data.folder, state,
                                               record, Language::kEnglish, labels);
    EXPECT_TRUE(result.messages.empty());
    for (const auto& folder : {elsewhere.path(), data.dir.path()}) {
        ASSERT_TRUE(std::filesystem::exists(folder / "mine.bin")) << folder;
        EXPECT_EQ(std::filesystem::file_size(folder / "mine.bin"), kProfileImageSize);
        Result<ProfileImage> image = read_profile_image(folder / "mine.bin");
        ASSERT_TRUE(image);
        EXPECT_EQ(image->first_run_flag, 1);
        EXPECT_EQ(image->record.dpi_stage[1], 33);
        EXPECT_EQ(read_profile_ini(folder / "mine.ini", Language::kEnglish).labels[7], "Last");
    }
    EXPECT_EQ(state.active_image, data.dir.path() / "mine.bin");
}

TEST_F(ProfileFilesTest, ImportReadsImageAndCompanionIni) {
    test::TempDir elsewhere;
    ASSERT_TRUE(write_profile_image(elsewhere.path() / "p.bin", test::sound_record(5)));
    std::ofstream(elsewhere.path() / "p.ini") << "[Setting-CHS]\nItem1=左键\n[Skins]\nLan=CHS\n";
    const ImportResult result = import_profile(elsewhere.path() / "p.bin", data.folder, state,
                                               record, Language::kSimplifiedChinese);
    EXPECT_TRUE(result.image_read);
    EXPECT_EQ(result.ini.labels[0], "左键");
    EXPECT_EQ(record.sensitivity_x, 5);
    EXPECT_EQ(state.active_image, data.folder.image(0));

    const ImportResult missing = import_profile(elsewhere.path() / "none.bin", data.folder, state,
                                                record, Language::kEnglish);
    ASSERT_TRUE(missing.message);
    EXPECT_EQ(missing.message->text, "Config file is not exist.");
    EXPECT_FALSE(
        import_profile(elsewhere.path() / "p.txt", data.folder, state, record, Language::kEnglish)
            .message);
}

std::vector<std::string> folder_entries(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A profile image that is a link is saved into the link's target; the link stays a link.
TEST_F(ProfileFilesTest, SavingThroughALinkWritesItsTarget) {
    const auto elsewhere = data.dir.path() / "elsewhere";
    std::filesystem::create_directory(elsewhere);
    std::filesystem::create_directory(data.dir.path() / "profiles");
    data.folder.dir = data.dir.path() / "profiles";
    data.write_image("elsewhere/real.bin", 'o');
    std::filesystem::create_symlink("../elsewhere/real.bin", data.folder.image(0));
    record = test::sound_record(8);
    ASSERT_TRUE(save().image_written);
    EXPECT_TRUE(std::filesystem::is_symlink(data.folder.image(0)));
    Result<ProfileImage> saved = read_profile_image(elsewhere / "real.bin");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->record.report_interval, 8);
    EXPECT_EQ(folder_entries(elsewhere), std::vector<std::string>{"real.bin"});
    // No temporary file stays: the folder holds the link, the labels and the lock file.
    EXPECT_EQ(folder_entries(data.folder.dir),
              (std::vector<std::string>{".p330.lock", "config0.bin", "str0.ini"}));
}

}  // namespace
}  // namespace p330
