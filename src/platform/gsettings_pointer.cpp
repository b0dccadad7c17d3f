#include "platform/gsettings_pointer.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace p330 {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";

bool gsettings_set(const std::string& key, const std::string& value) {
    std::vector<std::string> args = {"gsettings", "set", kSchema, key, value};
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "gsettings", nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

double gnome_pointer_speed(int speed) {
    return std::clamp((speed - 10) / 10.0, -1.0, 1.0);
}

PointerApplied GSettingsPointer::apply(const PointerValues& v) {
    PointerApplied applied;
    applied.mouse = gsettings_set("accel-profile", v.mouse[2] != 0 ? "'default'" : "'flat'");
    char speed[32];
    std::snprintf(speed, sizeof speed, "%.2f", gnome_pointer_speed(v.speed));
    applied.speed = gsettings_set("speed", speed);
    applied.scroll_lines = false;
    applied.double_click = gsettings_set("double-click", std::to_string(v.double_click_ms));
    return applied;
}

}  // namespace p330
