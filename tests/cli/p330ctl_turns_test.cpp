// Two writers at once and writers killed mid-change, 200 rounds each: every change must
// survive the other writer, and a killed one must leave its files all old or all new.
// The figures go to the test's output.

#include <signal.h>

#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "cli/ctl_fixture.h"
#include "core/flows/profile_files.h"
#include "core/util/folder_lock.h"

namespace p330::test {
namespace {

constexpr int kRounds = 200;

class TurnsTest : public CtlTest {
  protected:
    // The settings as `get` prints them, after it has finished any change a kill cut short.
    std::map<std::string, std::string> get() {
        std::map<std::string, std::string> values;
        std::istringstream out(
            ctl({"get", "dpi.1", "dpi.2", "dpi.3", "button.4", "button.5", "button.6"}).out);
        for (std::string line; std::getline(out, line);) {
            if (const auto eq = line.find('='); eq != std::string::npos)
                values[line.substr(0, eq)] = line.substr(eq + 1);
        }
        return values;
    }
    // Buttons whose function (in the image) and English label (in str0.ini) disagree.
    int mismatches(std::map<std::string, std::string>& values) {
        const std::string ini = read("str0.ini");
        int count = 0;
        for (int button = 4; button <= 6; ++button) {
            const std::string& got = values["button." + std::to_string(button)];
            const std::string item = "Item" + std::to_string(button) + "=";
            const std::size_t at = ini.find(item) + item.size();
            std::string want = got == "forward" ? "IE Forward" : "IE Backward";
            if (got.starts_with("macro:")) want = "Macro Key-" + got.substr(6, got.find('@') - 6);
            if (got != "forward" && got != "back" && !got.starts_with("macro:")) continue;
            count += ini.substr(at, ini.find('\n', at) - at) != want;
        }
        return count;
    }
};

TEST_F(TurnsTest, TwoWritersAtOnceLoseNothing) {
    ASSERT_EQ(ctl({"set", "button.4=macro:Type_GG"}).exit_code, 0);
    int lost = 0, mismatches = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string dpi = std::to_string(100 + 50 * (round % 90));
        const std::string from = round % 2 ? "Type_HH" : "Type_GG";
        const std::string to = round % 2 ? "Type_GG" : "Type_HH";
        std::thread other([&] { (void)ctl({"macro", "rename", from, to}); });
        // The window's Save path: read under the lock, stamp, change, save if unchanged since.
        bool saved = false;
        while (!saved) {
            ProfileState state;
            SettingsRecord record{};
            std::optional<FilesStamp> stamp;
            {
                const Result<FolderLock> turn = FolderLock::acquire(data());
                (void)choose_and_load_active_profile(DataFolder{data()}, state, record);
                stamp = stamp_files(saved_profile_files(DataFolder{data()}, state));
            }
            const std::string ini = read("str0.ini");
            std::array<std::string, kButtonCount> labels;
            for (int b = 0; b < kButtonCount; ++b) {
                const std::string item = "Item" + std::to_string(b + 1) + "=";
                const std::size_t from_at = ini.find(item) + item.size();
                labels[static_cast<std::size_t>(b)] =
                    ini.substr(from_at, ini.find('\n', from_at) - from_at);
            }
            record.dpi_stage[1] = static_cast<std::uint8_t>(2 + round % 90);
            saved = !save_active_profile(DataFolder{data()}, state, record, Language::kEnglish,
                                         labels, stamp)
                         .changed_elsewhere;
        }
        other.join();
        std::thread cli([&] { (void)ctl({"set", "dpi.1=" + dpi, "button.5=forward"}); });
        (void)ctl({"set", "dpi.3=" + dpi, "button.6=back"});
        cli.join();
        auto values = get();
        lost += (values["dpi.1"] != dpi) + (values["dpi.3"] != dpi) + (values["dpi.2"] != dpi) +
                (values["button.4"] != "macro:" + to + "@count");
        mismatches += this->mismatches(values);
    }
    std::printf("%d rounds: %d lost updates, %d mismatches\n", kRounds, lost, mismatches);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(mismatches, 0);
}

TEST_F(TurnsTest, AKilledCommandLeavesItsWholeChangeOrNone) {
    ASSERT_EQ(ctl({"set", "button.4=macro:Type_GG"}).exit_code, 0);
    // Kill points are spread over the time a whole command takes here.
    const auto started = std::chrono::steady_clock::now();
    (void)ctl({"macro", "rename", "Type_GG", "Type_HH"});
    (void)ctl({"macro", "rename", "Type_HH", "Type_GG"});
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - started)
                              .count() /
                          2 +
                      1;
    std::mt19937 random(19);
    int killed = 0, mismatches = 0;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::string> args = {P330CTL_PATH, "--data-dir=" + data().string()};
        if (round % 2) {
            const std::string name = get()["button.4"].substr(6, 7);
            args.insert(args.end(),
                        {"macro", "rename", name, name == "Type_GG" ? "Type_HH" : "Type_GG"});
        } else {
            args.insert(args.end(), {"set", round % 4 ? "button.5=forward" : "button.5=back",
                                     "dpi.1=" + std::to_string(100 + 50 * (round % 90))});
        }
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&quiet);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % span));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        killed += WIFSIGNALED(status);
        auto values = get();
        mismatches += this->mismatches(values);
    }
    std::printf("%d rounds, %d killed mid-command: %d mismatches\n", kRounds, killed, mismatches);
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace p330::test
