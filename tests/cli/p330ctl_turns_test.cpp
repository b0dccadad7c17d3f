// Two writers at once and writers killed mid-change, 200 rounds each (50 under a sanitizer):
// no change may be lost to the other writer, a killed one leaves its files all old or all new.
// Figures printed.

#include <signal.h>

#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "cli/ctl_fixture.h"
#include "core/flows/profile_files.h"
#include "core/util/folder_lock.h"
#include "core/util/kill_point.h"

namespace p330::test {
namespace {

// Under a sanitizer every run of p330ctl costs ten times the processor time, and the leak check
// at its end most of that: there the rounds take the same paths a quarter as often, while the
// normal build meets the races 200 times.
#ifndef P330_TURN_ROUNDS
#define P330_TURN_ROUNDS 200
#endif
constexpr int kRounds = P330_TURN_ROUNDS;

class TurnsTest : public CtlTest {
  protected:
    // The settings as `get` prints them, after it has finished any change a kill cut short.
    std::map<std::string, std::string> get() {
        std::map<std::string, std::string> values;
        std::istringstream out(
            ctl({"get", "dpi.1", "dpi.2", "dpi.3", "button.4", "button.5", "button.6"}).out);
        for (std::string line; std::getline(out, line);)
            values[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
        return values;
    }
    // Buttons whose function (in the image) and English label (in str0.ini) disagree.
    int mismatches(std::map<std::string, std::string>& values) {
        const auto labels = read_profile_ini(data() / "str0.ini", Language::kEnglish).labels;
        int count = 0;
        for (std::size_t button = 4; button <= 6; ++button) {
            const std::string& got = values["button." + std::to_string(button)];
            std::string want = got == "forward" ? "IE Forward" : "IE Backward";
            if (got.starts_with("macro:")) want = "Macro Key-" + got.substr(6, got.find('@') - 6);
            if (got == "forward" || got == "back" || got.starts_with("macro:"))
                count += labels[button - 1] != want;
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
        for (bool saved = false; !saved;) {
            const DataFolder folder{data()};
            ProfileState state;
            SettingsRecord record{};
            auto turn = std::make_optional(FolderLock::acquire(data()));
            (void)choose_and_load_active_profile(folder, state, record);
            const FilesStamp stamp = stamp_files(saved_profile_files(folder, state));
            turn.reset();
            const auto labels = read_profile_ini(data() / "str0.ini", Language::kEnglish).labels;
            record.dpi_stage[1] = static_cast<std::uint8_t>(2 + round % 90);
            saved = !save_active_profile(folder, state, record, Language::kEnglish, labels, stamp)
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

// A command killed after each file it replaced (the journal included), then one killed at
// random moments, which may fall inside a write: the next command always finds the whole
// change or none of it.
TEST_F(TurnsTest, AKilledCommandLeavesItsWholeChangeOrNone) {
    ASSERT_EQ(ctl({"set", "button.4=macro:Type_GG"}).exit_code, 0);
    using Args = std::array<std::string, 4>;
    const auto next_command = [&](int round) {
        const std::string name = get()["button.4"].substr(6, 7);
        return round % 2 ? Args{"macro", "rename", name, name == "Type_GG" ? "Type_HH" : "Type_GG"}
                         : Args{"set", round % 4 ? "button.5=forward" : "button.5=back",
                                "dpi.1=" + std::to_string(100 + 50 * (round % 90)), "dpi.2=800"};
    };
    // Started with kill_after set (0: never), ended after `wait` unless it ended before.
    const auto start = [&](const Args& args, int kill_after) {
        const std::string folder = "--data-dir=" + data().string();
        const std::string point = std::to_string(kill_after);
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (std::freopen("/dev/null", "w", stdout) == nullptr) ::_exit(127);
            ::setenv(kKillAfterReplacedVariable, point.c_str(), 1);
            ::execl(P330CTL_PATH, P330CTL_PATH, folder.c_str(), args[0].c_str(), args[1].c_str(),
                    args[2].c_str(), args[3].c_str(), nullptr);
            ::_exit(127);
        }
        return pid;
    };
    const auto ended_by_kill = [](pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    };

    // Every point between two replaced files, for both kinds of change; a kill after the
    // journal is in place leaves a change that the next command finishes.
    int points = 0, mismatches = 0;
    for (int round = 0; round < 2; ++round) {
        int kill_points = 0;
        for (int kill_after = 1;; ++kill_after) {
            const Args args = next_command(round);
            const bool killed = ended_by_kill(start(args, kill_after));
            auto after = get();
            mismatches += this->mismatches(after);
            if (!killed) break;
            ++kill_points;
            ASSERT_LT(kill_after, 20) << args[0] << " never ends";
        }
        EXPECT_GE(kill_points, 3) << "a change of several files and its journal";
        points += kill_points;
    }
    EXPECT_EQ(mismatches, 0) << "of " << points << " kill points";

    // Kill moments spread over the time a whole command takes here.
    const auto started = std::chrono::steady_clock::now();
    (void)ctl({"macro", "rename", "Type_GG", "Type_HH"});
    (void)ctl({"macro", "rename", "Type_HH", "Type_GG"});
    using Micro = std::chrono::microseconds;
    const auto elapsed = std::chrono::steady_clock::now() - started;
    const long long span = std::chrono::duration_cast<Micro>(elapsed).count() / 2 + 1;
    std::mt19937 random(19);
    int killed = 0;
    mismatches = 0;
    for (int round = 0; round < kRounds; ++round) {
        const pid_t pid = start(next_command(round), 0);
        std::this_thread::sleep_for(Micro(static_cast<long long>(random()) % span));
        ::kill(pid, SIGKILL);
        killed += ended_by_kill(pid);
        auto after = get();
        mismatches += this->mismatches(after);
    }
    std::printf("%d rounds, %d killed mid-command: %d mismatches\n", kRounds, killed, mismatches);
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace p330::test
