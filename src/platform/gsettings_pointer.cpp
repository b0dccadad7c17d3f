#include "platform/gsettings_pointer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace p330 {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";
constexpr std::chrono::seconds kGsettingsLimit{2};

// Runs gsettings with these arguments; its standard output when it ends with status 0.
std::optional<std::string> gsettings(std::vector<std::string> args) {
    args.insert(args.begin(), "gsettings");
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "gsettings", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string text;
    bool in_time = true;
    if (spawned == 0) {
        // A settings daemon that does not answer must not freeze the window: the whole run
        // gets kGsettingsLimit, then the child is killed.
        const auto deadline = std::chrono::steady_clock::now() + kGsettingsLimit;
        char buffer[4096];
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd ready{out[0], POLLIN, 0};
            const int polled =
                left.count() > 0 ? ::poll(&ready, 1, static_cast<int>(left.count())) : 0;
            if (polled < 0 && errno == EINTR) continue;
            if (polled <= 0) {
                in_time = false;
                break;
            }
            const ssize_t n = ::read(out[0], buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            text.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(out[0]);
    if (spawned != 0) return std::nullopt;
    if (!in_time) ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return std::nullopt;
    }
    if (!in_time) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return text;
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<double> number(const std::string& s) {
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

// gsettings prints numbers its own way ("0.5" for "0.50"): numbers compare as numbers.
bool reads_back_as(const std::string& written, const std::string& read) {
    const std::string got = trimmed(read);
    const std::optional<double> a = number(written);
    const std::optional<double> b = number(got);
    if (a && b) return std::fabs(*a - *b) < 1e-9;
    return written == got;
}

PointerOutcome set_key(const std::vector<std::string>& keys, const std::string& key,
                       const std::string& value) {
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) return PointerOutcome::kUnsupported;
    if (!gsettings({"set", kSchema, key, value})) return PointerOutcome::kRefused;
    const std::optional<std::string> stored = gsettings({"get", kSchema, key});
    return stored && reads_back_as(value, *stored) ? PointerOutcome::kApplied
                                                   : PointerOutcome::kRefused;
}

}  // namespace

double gnome_pointer_speed(int speed) {
    return std::clamp((speed - 10) / 10.0, -1.0, 1.0);
}

std::string gnome_speed_text(int speed) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, gnome_pointer_speed(speed),
                                      std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

PointerApplied GSettingsPointer::apply(const PointerValues& v) {
    // The keys this desktop has; none without the schema or the tool.
    std::vector<std::string> keys;
    if (const std::optional<std::string> listed = gsettings({"list-keys", kSchema})) {
        std::istringstream lines(*listed);
        for (std::string line; std::getline(lines, line);) keys.push_back(trimmed(line));
    }
    PointerApplied applied;
    applied[PointerSetting::kMouse] =
        set_key(keys, "accel-profile", v.mouse[2] != 0 ? "'default'" : "'flat'");
    applied[PointerSetting::kSpeed] = set_key(keys, "speed", gnome_speed_text(v.speed));
    applied[PointerSetting::kScrollLines] = PointerOutcome::kUnsupported;
    applied[PointerSetting::kDoubleClick] =
        set_key(keys, "double-click", std::to_string(v.double_click_ms));
    return applied;
}

std::unique_ptr<PointerSettings> desktop_pointer_settings() {
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    if (desktop == nullptr) return nullptr;
    // A colon-separated list, e.g. "ubuntu:GNOME".
    std::istringstream names(desktop);
    for (std::string name; std::getline(names, name, ':');) {
        if (name == "GNOME" || name == "GNOME-Classic" || name == "GNOME-Flashback" ||
            name == "Unity" || name == "Budgie")
            return std::make_unique<GSettingsPointer>();
    }
    return nullptr;
}

}  // namespace p330
