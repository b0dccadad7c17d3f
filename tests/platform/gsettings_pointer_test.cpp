// The GSettings backend against a stand-in gsettings tool first on PATH: one that stores
// values, one that says yes and stores nothing (no session bus), one without the schema.
#include "platform/gsettings_pointer.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fixtures/run_program.h"
#include "fixtures/temp_dir.h"

namespace p330 {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFakeTool = R"(#!/bin/sh
echo "$*" >> "$FAKE_GSETTINGS_DIR/log"
case "$1" in
  list-keys)
    [ "$FAKE_GSETTINGS_MODE" = no-schema ] && { echo "No such schema" >&2; exit 1; }
    printf 'accel-profile\ndouble-click\nleft-handed\nspeed\n' ;;
  set) [ "$FAKE_GSETTINGS_MODE" = memory ] || printf '%s\n' "$4" > "$FAKE_GSETTINGS_DIR/$3" ;;
  get) if [ -f "$FAKE_GSETTINGS_DIR/$3" ]; then cat "$FAKE_GSETTINGS_DIR/$3"; else echo 0; fi ;;
esac
)";

class GSettingsPointerTest : public ::testing::Test {
  protected:
    GSettingsPointerTest() : old_path_(std::getenv("PATH")) {
        const fs::path tool = dir.path() / "gsettings";
        std::ofstream(tool) << kFakeTool;
        fs::permissions(tool, fs::perms::owner_all);
        ::setenv("PATH", (dir.path().string() + ":" + old_path_).c_str(), 1);
        ::setenv("FAKE_GSETTINGS_DIR", dir.path().c_str(), 1);
    }
    ~GSettingsPointerTest() override {
        ::setenv("PATH", old_path_.c_str(), 1);
        ::unsetenv("FAKE_GSETTINGS_MODE");
        std::setlocale(LC_NUMERIC, "C");
    }
    std::string log() const {
        std::ifstream in(dir.path() / "log");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // A locale whose decimal point is a comma, built here: test machines have few locales.
    bool use_comma_locale() const {
        const fs::path source = dir.path() / "comma.src";
        std::ofstream(source) << "LC_NUMERIC\ndecimal_point \"<U002C>\"\nthousands_sep "
                                 "\"<U002E>\"\ngrouping 3;3\nEND LC_NUMERIC\n";
        test::run_program("/usr/bin/localedef", {"-c", "-f", "ANSI_X3.4-1968", "-i",
                                                 source.string(), (dir.path() / "comma").string()});
        ::setenv("LOCPATH", dir.path().c_str(), 1);
        const bool set = std::setlocale(LC_NUMERIC, "comma") != nullptr;
        ::unsetenv("LOCPATH");
        char text[16];
        std::snprintf(text, sizeof text, "%.2f", 0.5);
        return set && std::string(text) == "0,50";
    }

    test::TempDir dir;
    std::string old_path_;
    const PointerValues values{{6, 10, 1}, 13, 3, 620};
};

TEST_F(GSettingsPointerTest, ValuesThatReadBackAreAppliedWhateverTheLocale) {
    const bool comma = use_comma_locale();
    const PointerApplied applied = GSettingsPointer().apply(values);
    EXPECT_EQ(applied[PointerSetting::kMouse], PointerOutcome::kApplied);
    EXPECT_EQ(applied[PointerSetting::kSpeed], PointerOutcome::kApplied);
    EXPECT_EQ(applied[PointerSetting::kScrollLines], PointerOutcome::kUnsupported);
    EXPECT_EQ(applied[PointerSetting::kDoubleClick], PointerOutcome::kApplied);
    EXPECT_NE(log().find("set org.gnome.desktop.peripherals.mouse speed 0.30\n"), std::string::npos)
        << log();
    EXPECT_NE(log().find("set org.gnome.desktop.peripherals.mouse accel-profile 'default'\n"),
              std::string::npos);
    if (!comma)
        GTEST_SKIP() << "no comma-decimal locale could be made; the point-locale run passed";
}

TEST_F(GSettingsPointerTest, AValueThatDidNotStickIsRefusedAndAMissingSchemaIsNoSetting) {
    ::setenv("FAKE_GSETTINGS_MODE", "memory", 1);
    PointerApplied applied = GSettingsPointer().apply(values);
    EXPECT_EQ(applied[PointerSetting::kMouse], PointerOutcome::kRefused);
    EXPECT_EQ(applied[PointerSetting::kSpeed], PointerOutcome::kRefused);
    EXPECT_EQ(applied[PointerSetting::kDoubleClick], PointerOutcome::kRefused);

    ::setenv("FAKE_GSETTINGS_MODE", "no-schema", 1);
    applied = GSettingsPointer().apply(values);
    for (const PointerOutcome outcome : applied.outcome)
        EXPECT_EQ(outcome, PointerOutcome::kUnsupported);
}

}  // namespace
}  // namespace p330
