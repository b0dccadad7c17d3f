#pragma once
// p330ctl run for real against a copy of the shipped data folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fixtures/run_program.h"
#include "fixtures/temp_dir.h"

namespace p330::test {

class CtlTest : public ::testing::Test {
  protected:
    CtlTest() {
        for (const auto& entry : std::filesystem::directory_iterator(P330_SHIPPED_DIR)) {
            const std::string name = entry.path().filename().string();
            if (name.ends_with(".bin") || name.ends_with(".ini"))
                std::filesystem::copy_file(entry.path(), data() / name);
        }
    }
    std::filesystem::path data() const { return dir.path(); }
    ProgramRun ctl(std::vector<std::string> args) {
        args.insert(args.begin(), "--data-dir=" + data().string());
        return run_program(P330CTL_PATH, args);
    }
    std::string read(const std::string& name) const {
        std::ifstream in(data() / name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(data() / name, std::ios::binary) << text;
    }
    // The files a refused change must leave as they were.
    std::string profile_files() const {
        return read("config0.bin") + read("str0.ini") + read("str.ini") + read("record.ini");
    }

    TempDir dir;
};

}  // namespace p330::test
