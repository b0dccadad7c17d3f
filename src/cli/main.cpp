// p330ctl: the command-line face of the P330 configurator.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/options.h"

int main(int argc, char** argv) {
    using namespace p330::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParseResult parsed = parse_options(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "p330ctl: %s\nTry 'p330ctl --help'.\n", parsed.error.c_str());
        return kExitUsage;
    }
    if (parsed.options.help) {
        std::fputs(usage_text(), stdout);
        return kExitOk;
    }
    if (parsed.options.version) {
        std::printf("p330ctl %s\n", P330_VERSION);
        return kExitOk;
    }
    return run_command(parsed.options, stdout, stderr);
}
