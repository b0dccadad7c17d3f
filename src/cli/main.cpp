// p330ctl: the command-line face of the P330 configurator.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "cli/commands.h"
#include "cli/options.h"

int main(int argc, char** argv) {
    using namespace p330::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParseResult parsed = parse_options(args);
    if (!parsed.error.empty()) {
        const std::string& command = parsed.options.command;
        std::fprintf(stderr, "p330ctl: %s\nTry 'p330ctl %s--help'.\n", parsed.error.c_str(),
                     command.empty() ? "" : (command + " ").c_str());
        return kExitUsage;
    }
    if (parsed.options.version) {
        std::printf("p330ctl %s\n", P330_VERSION);
        return kExitOk;
    }
    if (parsed.options.help) {
        const CommandEntry* entry = find_command(parsed.options.command);
        const bool one = entry != nullptr && parsed.options.command != "help";
        std::fputs((one ? command_help(*entry) : usage_text()).c_str(), stdout);
        return kExitOk;
    }
    return run_command(parsed.options, stdout, stderr);
}
