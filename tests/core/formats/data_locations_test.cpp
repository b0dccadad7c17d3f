#include "core/formats/data_locations.h"

#include <gtest/gtest.h>

#include "core/flows/settings_controller.h"
#include "fixtures/data_folder.h"

namespace p330 {
namespace {

namespace fs = std::filesystem;

// A shipped defaults folder and an empty home, as a fresh user meets them.
class SeedTest : public ::testing::Test {
  protected:
    SeedTest() {
        for (const std::string& name : shipped_file_names()) {
            if (name.ends_with(".bin")) shipped.write_image(name, '\x02');
        }
        shipped.write("str.ini",
                      "[Profile]\nItemCount=1\nItem0=P\n[Skins]\nLan=EN\nPath=Graphite\n");
        for (int i = 0; i < kMaxProfiles; ++i)
            shipped.write("str" + std::to_string(i) + ".ini", "[Skins]\nLan=EN\nPath=Graphite\n");
        shipped.write("record.ini", "[Skins]\nLan=EN\n");
        env.home = home.path();
        where = *locate_data({}, env, exe_dir);
        where.defaults_dir = shipped.dir.path();
    }
    std::string user_file(const std::string& name) const {
        std::ifstream in(where.user_dir / name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

    test::TestDataFolder shipped;
    test::TempDir home;
    UserEnvironment env;
    fs::path exe_dir = "/opt/p330/bin";
    DataLocations where;
};

TEST_F(SeedTest, AnEmptyHomeGetsEveryShippedFileInTheLocalesLanguage) {
    EXPECT_EQ(where.user_dir, home.path() / ".config/p330");
    Result<std::vector<std::string>> copied = seed_user_folder(where, Language::kSimplifiedChinese);
    ASSERT_TRUE(copied) << copied.error().message;
    EXPECT_EQ(copied->size(), 15u);
    EXPECT_EQ(fs::status(where.user_dir).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(user_file("config3.bin"), shipped.read("config3.bin"));
    EXPECT_EQ(user_file("record.ini"), shipped.read("record.ini"));  // not an INI of a profile
    for (const char* ini : {"str.ini", "str0.ini", "str5.ini"}) {
        const ProfileIni read = read_profile_ini(where.user_dir / ini, Language::kEnglish);
        EXPECT_EQ(read.language_code, "CHS") << ini;
        EXPECT_EQ(read.skin_path, "Graphite") << ini;
    }
    // No temporary copies are left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(where.user_dir), fs::directory_iterator()), 15);
}

TEST_F(SeedTest, FilesThereAreNeverReplacedOnlyTheMissingOnesCopied) {
    fs::create_directories(where.user_dir);
    std::ofstream(where.user_dir / "config0.bin") << "mine";
    std::ofstream(where.user_dir / "str0.ini") << "[Skins]\nLan=CHT\n";
    std::ofstream(where.user_dir / "record.ini") << "[My_Macro]\n";
    fs::create_symlink("/nonexistent", where.user_dir / "str1.ini");  // a user's own link
    Result<std::vector<std::string>> copied = seed_user_folder(where, Language::kEnglish);
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->size(), 11u);
    EXPECT_EQ(user_file("config0.bin"), "mine");
    EXPECT_EQ(user_file("str0.ini"), "[Skins]\nLan=CHT\n");
    EXPECT_EQ(user_file("record.ini"), "[My_Macro]\n");
    EXPECT_TRUE(fs::is_symlink(where.user_dir / "str1.ini"));
    EXPECT_EQ(user_file("config1.bin"), shipped.read("config1.bin"));
    // A second start finds nothing to do.
    EXPECT_TRUE(seed_user_folder(where, Language::kEnglish)->empty());
}

TEST_F(SeedTest, AMissingDefaultIsReportedAndTheRestStillCopied) {
    fs::remove(shipped.dir.path() / "config4.bin");
    Result<std::vector<std::string>> copied = seed_user_folder(where, Language::kEnglish);
    ASSERT_FALSE(copied);
    EXPECT_NE(copied.error().message.find("config4.bin"), std::string::npos);
    EXPECT_TRUE(fs::exists(where.user_dir / "config5.bin"));
}

TEST_F(SeedTest, ResetReadsTheShippedDefaultsNotTheUsersFolder) {
    ASSERT_TRUE(seed_user_folder(where, Language::kEnglish));
    std::string mine(kProfileImageSize, '\x05');
    std::ofstream(where.user_dir / "config.bin", std::ios::binary) << mine;
    SettingsController controller(where.folder(), nullptr, nullptr);
    controller.start();
    controller.reset();
    EXPECT_EQ(controller.profile().active_image, shipped.dir.path() / "config.bin");
    EXPECT_EQ(controller.record().dpi_stage[0], 2);
}

TEST(DataLocationsTest, FoldersFromTheEnvironmentAndTheExecutable) {
    const fs::path exe = "/opt/tree/bin";
    UserEnvironment env{"/x/config", "/home/u", ""};
    Result<DataLocations> where = locate_data({}, env, exe);
    ASSERT_TRUE(where);
    EXPECT_EQ(where->user_dir, "/x/config/p330");
    EXPECT_EQ(where->defaults_dir, "/opt/tree/share/p330/defaults");
    EXPECT_EQ(where->skin_roots,
              (std::vector<fs::path>{"/x/config/p330/Skins", "/opt/tree/share/p330/Skins"}));
    EXPECT_EQ(where->folder().default_image(), "/opt/tree/share/p330/defaults/config.bin");
    EXPECT_EQ(where->folder().main_ini(), "/x/config/p330/str.ini");

    env.xdg_config_home = "relative/config";  // not absolute: ignored
    EXPECT_EQ(locate_data({}, env, exe)->user_dir, "/home/u/.config/p330");
    env.home.clear();
    EXPECT_FALSE(locate_data({}, env, exe));

    where = locate_data("/portable", env, exe);  // --data-dir: one folder, needs no home
    ASSERT_TRUE(where);
    EXPECT_TRUE(where->single_folder);
    EXPECT_EQ(where->folder().default_image(), "/portable/config.bin");
    // Its skins first, then the shipped ones; a new folder is made from the shipped defaults.
    EXPECT_EQ(where->skin_roots,
              (std::vector<fs::path>{"/portable/Skins", "/opt/tree/share/p330/Skins"}));
    EXPECT_EQ(where->seed_dir(), "/opt/tree/share/p330/defaults");
}

TEST(DataLocationsTest, LanguageFromTheLocale) {
    for (const char* locale : {"zh_CN", "zh_CN.UTF-8", "zh_SG.GBK"})
        EXPECT_EQ(language_for_locale(locale), Language::kSimplifiedChinese) << locale;
    for (const char* locale : {"zh_TW.UTF-8", "zh_HK", "zh_MO@euro"})
        EXPECT_EQ(language_for_locale(locale), Language::kTraditionalChinese) << locale;
    for (const char* locale : {"", "C", "POSIX", "en_US.UTF-8", "zh", "zh_CNX", "de_DE"})
        EXPECT_EQ(language_for_locale(locale), Language::kEnglish) << locale;
}

}  // namespace
}  // namespace p330
