#pragma once
// p330ctl run for real against a copy of the shipped data folder.

#include <gtest/gtest.h>

#include <cstdio>
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

    // Bytes as upper-case hex without blanks ("103020"): `count` bytes of the settings record
    // in a profile image (offsets of the record, after the image's first-run flag), or of a
    // block line in the simulated mouse's state file ("slot 0 parameters").
    std::string record_hex(const std::string& image, std::size_t offset, std::size_t count = 1) {
        std::string hex;
        for (unsigned char byte : read(image).substr(1 + offset, count)) {
            char two[3];
            std::snprintf(two, sizeof two, "%02X", byte);
            hex += two;
        }
        return hex;
    }
    std::string sim_hex(const std::string& block, std::size_t offset, std::size_t count = 1) {
        const std::string text = read("mouse.state");
        const std::size_t at = text.find(block + " ");
        return at == std::string::npos ? ""
                                       : text.substr(at + block.size() + 1 + 2 * offset, 2 * count);
    }
    void patch_record(const std::string& image, std::size_t offset, const std::string& hex) {
        std::string bytes = read(image);
        for (std::size_t i = 0; i < hex.size() / 2; ++i)
            bytes.at(1 + offset + i) =
                static_cast<char>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
        write(image, bytes);
    }
    void patch_sim(const std::string& block, std::size_t offset, const std::string& hex) {
        std::string text = read("mouse.state");
        text.replace(text.find(block + " ") + block.size() + 1 + 2 * offset, hex.size(), hex);
        write("mouse.state", text);
    }
    // The simulated mouse whose memory is kept in mouse.state, with its faults ("fail=8:").
    std::string sim(const std::string& faults = "") const {
        return "--device=sim:" + faults + (data() / "mouse.state").string();
    }

    TempDir dir;
};

}  // namespace p330::test
