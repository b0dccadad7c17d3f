#include "core/flows/profile_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <thread>

#include "core/flows/settings_controller.h"
#include "fixtures/data_folder.h"

namespace p330 {
namespace {

class ProfileFilesTest : public ::testing::Test {
  protected:
    test::TestDataFolder data;
    ProfileState state;
    SettingsRecord record{};

    LoadResult load() { return choose_and_load_active_profile(data.folder, state, record); }
};

TEST_F(ProfileFilesTest, ListPicksTheLastItemEqualToTheCurrentName) {
    for (int i = 0; i < 6; ++i)
        data.write_image("config" + std::to_string(i) + ".bin", static_cast<char>('a' + i));
    data.write_profile_list(4, "Work", {"Home", "Work", "Game", "Work"});
    EXPECT_TRUE(load().image_loaded);
    EXPECT_EQ(state.index, 3);
    EXPECT_EQ(record.report_interval, 'd');

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
    EXPECT_EQ(record.profile_slot, 'y');
}

TEST_F(ProfileFilesTest, MissingOrWrongSizedImages) {
    data.write_profile_list(2, "B", {"A", "B"});
    LoadResult missing = load();
    ASSERT_TRUE(missing.message);
    EXPECT_EQ(missing.message->text, "Config file is not exist.");

    for (std::size_t size : {kProfileImageSize - 1, kProfileImageSize + 1, std::size_t{0}}) {
        data.write_image("config1.bin", 'z', 0, size);
        const LoadResult wrong = load();
        EXPECT_FALSE(wrong.image_loaded) << size;
        EXPECT_FALSE(wrong.message) << size;
        EXPECT_EQ(record.report_interval, 0) << size;
    }
}

TEST_F(ProfileFilesTest, ReservedBytesSurviveLoadAndSave) {
    std::string image(kProfileImageSize, '\0');
    for (std::size_t i = 1; i < image.size(); ++i) image[i] = static_cast<char>(i * 31);
    data.write("config0.bin", image);
    data.write_profile_list(1, "A", {"A"});
    ASSERT_TRUE(load().image_loaded);
    record.dpi_stage[0] = 42;  // an edit
    const SaveResult saved = save_active_profile(data.folder, state, record);
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
    const SaveResult saved = save_active_profile(data.folder, state, record);
    EXPECT_FALSE(saved.image_written);
    ASSERT_TRUE(saved.message);
    EXPECT_EQ(saved.message->text, "Config file is not exist.");
    EXPECT_FALSE(data.exists("config3.bin"));
}

TEST_F(ProfileFilesTest, UnwritableImageGivesTheErrorCodeMessage) {
    data.write_image("config0.bin", 'a');
    // The image path is a directory: the rename into place fails.
    std::filesystem::remove(data.dir.path() / "config0.bin");
    std::filesystem::create_directory(data.dir.path() / "config0.bin");
    const SaveResult saved = save_active_profile(data.folder, state, record);
    ASSERT_TRUE(saved.message);
    EXPECT_EQ(saved.message->caption, "NULL ==fp ");
    EXPECT_EQ(saved.message->text.rfind("Error Code is: ", 0), 0u);
    EXPECT_EQ(saved.message->text.substr(saved.message->text.size() - 2), " \n");
}

TEST_F(ProfileFilesTest, ExportWithoutExtensionWritesBothCopies) {
    test::TempDir elsewhere;
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
    std::string image(kProfileImageSize, '\x05');
    image[0] = 1;
    std::ofstream(elsewhere.path() / "p.bin", std::ios::binary) << image;
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

// A save killed at any moment leaves the old image or the new one, never a mix; what a kill
// between naming and renaming leaves is gone after the next start.
TEST_F(ProfileFilesTest, SavesKilledAtRandomLeaveOldOrNewAndNoDebrisAfterTheNextStart) {
    const auto path = data.folder.image(0);
    SettingsRecord old_record{};
    SettingsRecord new_record{};
    std::fill_n(record_bytes(old_record).begin(), kSettingsRecordSize, 0x11);
    std::fill_n(record_bytes(new_record).begin(), kSettingsRecordSize, 0x22);
    ASSERT_TRUE(write_profile_image(path, old_record));
    std::mt19937 random(1);
    for (int trial = 0; trial < 200; ++trial) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int n = 0;; ++n) (void)write_profile_image(path, n % 2 ? old_record : new_record);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 4000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        Result<ProfileImage> image = read_profile_image(path);
        ASSERT_TRUE(image) << image.error().message;
        const std::uint8_t fill = record_bytes(image->record)[7];
        ASSERT_TRUE(fill == 0x11 || fill == 0x22);
        const auto bytes = record_bytes(image->record);
        ASSERT_EQ(std::count(bytes.begin(), bytes.end(), fill), kSettingsRecordSize) << trial;
    }
    const std::size_t leftovers = folder_entries(data.dir.path()).size() - 1;
    SettingsController(data.folder, nullptr, nullptr).start();
    EXPECT_EQ(folder_entries(data.dir.path()), std::vector<std::string>{"config0.bin"})
        << leftovers << " leftovers before the start";
}

// A profile image that is a link is saved into the link's target; the link stays a link.
TEST_F(ProfileFilesTest, SavingThroughALinkWritesItsTarget) {
    const auto elsewhere = data.dir.path() / "elsewhere";
    std::filesystem::create_directory(elsewhere);
    std::filesystem::create_directory(data.dir.path() / "profiles");
    data.folder.dir = data.dir.path() / "profiles";
    data.write_image("elsewhere/real.bin", 'o');
    std::filesystem::create_symlink("../elsewhere/real.bin", data.folder.image(0));
    record.report_interval = 8;
    ASSERT_TRUE(save_active_profile(data.folder, state, record).image_written);
    EXPECT_TRUE(std::filesystem::is_symlink(data.folder.image(0)));
    Result<ProfileImage> saved = read_profile_image(elsewhere / "real.bin");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->record.report_interval, 8);
    EXPECT_EQ(folder_entries(elsewhere), std::vector<std::string>{"real.bin"});
    EXPECT_EQ(folder_entries(data.folder.dir), std::vector<std::string>{"config0.bin"});
}

}  // namespace
}  // namespace p330
