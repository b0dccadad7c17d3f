#include "platform/runtime_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fixtures/temp_dir.h"

namespace p330 {
namespace {

namespace fs = std::filesystem;

// Runs with XDG_RUNTIME_DIR and TMPDIR as a test sets them, and puts them back.
class RuntimeFolderTest : public ::testing::Test {
  protected:
    RuntimeFolderTest() {
        for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        ::unsetenv("XDG_RUNTIME_DIR");
        ::setenv("TMPDIR", tmp.path().c_str(), 1);
    }
    ~RuntimeFolderTest() override {
        for (const auto& [name, value] : saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }
    fs::path own() const { return tmp.path() / ("p330-runtime-" + std::to_string(::geteuid())); }

    test::TempDir tmp;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(RuntimeFolderTest, APrivateRuntimeDirIsUsedAsItIs) {
    test::TempDir runtime;  // mkdtemp: 0700, ours
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    EXPECT_EQ(*private_runtime_folder(), runtime.path().string());
}

TEST_F(RuntimeFolderTest, WithoutOneAPrivateFolderIsMadeAndReused) {
    Result<std::string> folder = private_runtime_folder();
    ASSERT_TRUE(folder) << folder.error().message;
    EXPECT_EQ(*folder, own().string());
    EXPECT_EQ(fs::status(own()).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(*private_runtime_folder(), own().string());

    // A runtime dir open to others is not trusted: the private folder stands in.
    test::TempDir shared;
    fs::permissions(shared.path(), fs::perms::all);
    ::setenv("XDG_RUNTIME_DIR", shared.path().c_str(), 1);
    EXPECT_EQ(*private_runtime_folder(), own().string());
}

TEST_F(RuntimeFolderTest, APlantedLinkOrAFolderOpenToOthersIsRefused) {
    test::TempDir elsewhere;
    fs::create_directory_symlink(elsewhere.path(), own());
    Result<std::string> folder = private_runtime_folder();
    ASSERT_FALSE(folder);
    EXPECT_NE(folder.error().message.find(own().string()), std::string::npos);
    fs::remove(own());

    fs::create_directory(own());
    fs::permissions(own(), fs::perms::owner_all | fs::perms::others_exec);
    EXPECT_FALSE(private_runtime_folder());
}

}  // namespace
}  // namespace p330
