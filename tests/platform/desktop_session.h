#pragma once
// The pieces of a desktop session that the pointer-settings tests start for real: a private
// session bus, a compositor or settings service run as an unprivileged user, and a data folder
// with the shipped profiles for p330ctl. Each test gets its own home and runtime folder and no
// trace of the session it was started from.

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/flows/pointer_settings.h"
#include "core/flows/profile_files.h"
#include "core/formats/profile_image.h"
#include "fixtures/run_program.h"
#include "fixtures/temp_dir.h"

namespace p330::test {

// Polls until ready() holds or the limit passes; true when it held.
inline bool wait_until(const std::function<bool()>& ready,
                       std::chrono::milliseconds limit = std::chrono::seconds(15)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// Sets variables for the test's life and puts the old values back after it.
class ScopedEnvironment {
  public:
    void set(const std::string& name, const std::optional<std::string>& value) {
        if (saved_.count(name) == 0) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

  private:
    std::map<std::string, std::optional<std::string>> saved_;
};

// A program started for the test (standard output to out_fd, or nowhere) and ended with it.
class Child {
  public:
    explicit Child(std::vector<std::string> args, int out_fd = -1) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        if (out_fd >= 0)
            posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
        else
            posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        const bool ended = wait_until([&] { return ::waitpid(pid_, &status, WNOHANG) != 0; },
                                      std::chrono::seconds(5));
        if (!ended) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    bool started() const { return pid_ > 0; }

  private:
    pid_t pid_ = -1;
};

// A home, a runtime folder and a data folder with the shipped profiles; no bus, display,
// compositor or desktop name from outside.
class DesktopTest : public ::testing::Test {
  protected:
    DesktopTest() {
        for (const auto& entry : std::filesystem::directory_iterator(P330_SHIPPED_DIR)) {
            const std::string name = entry.path().filename().string();
            if (name.ends_with(".bin") || name.ends_with(".ini"))
                std::filesystem::copy_file(entry.path(), data_.path() / name);
        }
        ::chmod(home_.path().c_str(), 0755);  // an unprivileged compositor may read its config
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK", "I3SOCK", "XDG_CURRENT_DESKTOP",
              "DBUS_SESSION_BUS_ADDRESS", "P330_POINTER_DESKTOP", "XDG_DATA_DIRS"})
            env.set(name, std::nullopt);
        env.set("HOME", home_.path().string());
        env.set("XDG_CONFIG_HOME", (home_.path() / "config").string());
        env.set("XDG_RUNTIME_DIR", runtime_.path().string());
    }

    const std::filesystem::path& home() const { return home_.path(); }
    const std::filesystem::path& runtime() const { return runtime_.path(); }

    // p330ctl against the simulated mouse and the test's data folder.
    ProgramRun ctl(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir=" + data_.path().string(),
                                   "--device=sim:" + (data_.path() / "mouse.state").string()});
        return run_program(P330CTL_PATH, args);
    }
    // The values the current profile asks the desktop for.
    PointerValues profile_pointer() const {
        Result<ProfileImage> image = read_profile_image(data_.path() / "config0.bin");
        EXPECT_TRUE(static_cast<bool>(image));
        return pointer_values(image ? image->record : SettingsRecord{});
    }

    // Starts a private session bus and points this process at it.
    bool start_bus() {
        int out[2];
        if (::pipe(out) != 0) return false;
        bus_ = std::make_unique<Child>(
            std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--print-address"},
            out[1]);
        ::close(out[1]);
        std::string address;
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n') address += c;
        ::close(out[0]);
        if (address.empty()) return false;
        env.set("DBUS_SESSION_BUS_ADDRESS", address);
        return true;
    }
    // Starts an X server (kept alive between clients) and points this process at it.
    bool start_x() {
        int out[2];
        if (::pipe(out) != 0) return false;
        x_ = std::make_unique<Child>(
            std::vector<std::string>{"Xvfb", "-displayfd", "1", "-noreset", "-nolisten", "tcp"},
            out[1]);
        ::close(out[1]);
        std::string display;
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n') display += c;
        ::close(out[0]);
        if (display.empty()) return false;
        env.set("DISPLAY", ":" + display);
        return true;
    }
    // Gives an X pointer device the properties the libinput driver gives a USB mouse: its
    // ids, a speed of 0 and the adaptive profile. Xvfb's own devices have neither.
    static void dress_x_pointer(const std::string& device, const std::string& ids) {
        const std::string p = "/usr/bin/xinput";
        run_program(p, {"set-prop", "--type=int", "--format=32", device, "Device Product ID",
                        ids.substr(0, ids.find(' ')), ids.substr(ids.find(' ') + 1)});
        run_program(p, {"set-prop", "--type=float", device, "libinput Accel Speed", "0"});
        run_program(p, {"set-prop", "--type=int", "--format=8", device,
                        "libinput Accel Profile Enabled", "1", "0"});
    }
    // A property of an X device as xinput prints it: "0.500000", "0, 1".
    static std::string x_property(const std::string& device, const std::string& name) {
        const std::string listed = run_program("/usr/bin/xinput", {"list-props", device}).out;
        const std::size_t at = listed.find("\t" + name + " (");
        if (at == std::string::npos) return "";
        const std::size_t value = listed.find(":\t", at) + 2;
        return listed.substr(value, listed.find('\n', value) - value);
    }

    // Whether a name is owned on the test's bus.
    static bool bus_has(const std::string& name) {
        const ProgramRun run =
            run_program("/usr/bin/gdbus", {"call", "--session", "--dest", "org.freedesktop.DBus",
                                           "--object-path", "/org/freedesktop/DBus", "--method",
                                           "org.freedesktop.DBus.NameHasOwner", name});
        return run.out.find("true") != std::string::npos;
    }

    static bool installed(const std::string& program) {
        for (const char* dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"})
            if (::access((dir + program).c_str(), X_OK) == 0) return true;
        return false;
    }

    ScopedEnvironment env;

  private:
    TempDir home_, runtime_, data_;
    // Ended before the folders they use; a test's own services end before these.
    std::unique_ptr<Child> bus_;
    std::unique_ptr<Child> x_;
};

}  // namespace p330::test
