#include "platform/run_tool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

extern char** environ;

namespace p330 {

std::optional<std::string> run_tool(std::vector<std::string> args,
                                    std::chrono::milliseconds limit) {
    if (args.empty()) return std::nullopt;
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    // The tools' complaints are not ours to print: the caller says what went wrong.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string text;
    bool in_time = true;
    bool reaped = false;
    bool lost = false;
    int status = 0;
    if (spawned == 0) {
        // The output ends when the tool has ended and the pipe holds nothing more: a process the
        // tool left running may keep the pipe open for much longer, and is not waited for.
        const auto deadline = std::chrono::steady_clock::now() + limit;
        char buffer[4096];
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 && !reaped) {
                in_time = false;
                break;
            }
            pollfd ready{out[0], POLLIN, 0};
            const int slice = reaped ? 0 : static_cast<int>(std::min<long>(left.count(), 50));
            const int polled = ::poll(&ready, 1, slice);
            if (polled < 0 && errno == EINTR) continue;
            if (polled < 0) break;
            if (polled == 0) {
                if (reaped) break;
                const pid_t ended = ::waitpid(pid, &status, WNOHANG);
                if (ended < 0 && errno != EINTR) {
                    lost = true;  // not ours to wait for any more: nothing known of its end
                    break;
                }
                reaped = ended == pid;
                continue;
            }
            const ssize_t n = ::read(out[0], buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            text.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(out[0]);
    if (spawned != 0 || lost) return std::nullopt;
    if (!in_time) ::kill(pid, SIGKILL);
    while (!reaped && ::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return std::nullopt;
    }
    if (!in_time) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return text;
}

bool on_path(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "/usr/bin:/bin";
    while (!rest.empty()) {
        const std::size_t end = rest.find(':');
        std::string program(rest.substr(0, end));
        if (!program.empty() && ::access((program += '/').append(name).c_str(), X_OK) == 0)
            return true;
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return false;
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<double> parse_number(const std::string& s) {
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

bool same_value(const std::string& written, const std::string& read) {
    const std::string got = trimmed(read);
    const std::optional<double> a = parse_number(trimmed(written));
    const std::optional<double> b = parse_number(got);
    if (a && b) return std::fabs(*a - *b) < 1e-9;
    return trimmed(written) == got;
}

std::string fixed_text(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

}  // namespace p330
