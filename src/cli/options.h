#pragma once
// Command-line options of p330ctl.

#include <optional>
#include <string>
#include <vector>

namespace p330::cli {

enum ExitCode {
    kExitOk = 0,
    kExitFailed = 1,    // the operation ran but did not fully succeed
    kExitUsage = 2,     // bad command line, or a change the rules refuse
    kExitNoDevice = 3,  // no mouse, or the mouse cannot be opened
    kExitBadInput = 4,  // a file or folder that cannot be read or understood
};

struct Options {
    std::string command;
    std::vector<std::string> arguments;
    std::string device = "auto";  // auto | sim[:STATEFILE] | /dev/hidrawN
    std::string data_dir;
    std::string trace_file;
    std::optional<int> profile;
    bool json = false;
    bool pointer = false;
    bool apply = false;
    bool help = false;
    bool version = false;
};

struct ParseResult {
    Options options;
    std::string error;  // empty when the command line is valid
};

ParseResult parse_options(const std::vector<std::string>& args);

}  // namespace p330::cli
