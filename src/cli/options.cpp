#include "cli/options.h"

#include <set>

#include "core/util/parse_int.h"

namespace p330::cli {

const char* usage_text() {
    return R"(Usage: p330ctl [OPTIONS] COMMAND [ARGUMENTS]

Configures the P330 gaming mouse (USB 04D9:C7E2) from the terminal.

Commands:
  devices                 list the mouse's hidraw nodes, their collections and
                          whether they can be opened
  status                  whether the mouse is connected, its current profile
                          and the DPI of its stages
  apply [FILE.bin]        send a profile image to the mouse (default: the active
                          profile of the data folder); writes nothing on disk
      --profile N         send profile N (0-5) of the data folder instead
      --pointer           also apply the profile's desktop pointer settings
  show FILE.bin           decode a profile image into readable settings
  macros                  list the macros of record.ini in file order
  watch                   print the mouse's DPI and macro switches, arrivals and
                          removals until interrupted
  paths                   where the user's files, the shipped defaults and the
                          skins are

Options:
  --device DEV            auto (default), sim[:STATEFILE] for the simulated mouse
                          (its memory kept in STATEFILE between runs), or a node
                          such as /dev/hidraw3
  --data-dir DIR          keep every file in DIR (default: the user's files in
                          $XDG_CONFIG_HOME/p330 or ~/.config/p330, made from the
                          shipped defaults where missing)
  --json                  machine-readable output (devices, status, show, macros,
                          paths)
  --trace FILE            write every HID transfer to FILE ("-" for standard
                          output): milliseconds, type, bytes in hexadecimal
  -h, --help              show this help and exit
  --version               show the version and exit

Exit status:
  0  success
  1  the operation ran but did not fully succeed (for example a transfer failed)
  2  bad command line
  3  no mouse found, or the mouse cannot be opened
  4  a file could not be read or is not what it should be
)";
}

ParseResult parse_options(const std::vector<std::string>& args) {
    static const std::set<std::string> kCommands = {"devices", "status", "apply", "show",
                                                    "macros",  "watch",  "paths"};
    ParseResult result;
    Options& o = result.options;
    auto fail = [&](std::string message) {
        result.error = std::move(message);
        return result;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& into) {
            const auto equals = arg.find('=');
            if (equals != std::string::npos) {
                into = arg.substr(equals + 1);
                return true;
            }
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        auto is = [&](const char* name) {
            return arg == name || arg.rfind(std::string(name) + "=", 0) == 0;
        };
        if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--pointer") {
            o.pointer = true;
        } else if (is("--device")) {
            if (!value(o.device) || o.device.empty()) return fail("--device needs a value");
        } else if (is("--data-dir")) {
            if (!value(o.data_dir) || o.data_dir.empty()) return fail("--data-dir needs a folder");
        } else if (is("--trace")) {
            if (!value(o.trace_file) || o.trace_file.empty()) return fail("--trace needs a file");
        } else if (is("--profile")) {
            std::string text;
            if (!value(text)) return fail("--profile needs a number from 0 to 5");
            const bool digit = text.size() == 1 && text[0] >= '0' && text[0] <= '5';
            if (!digit) return fail("--profile needs a number from 0 to 5, not '" + text + "'");
            o.profile = parse_leading_int(text);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail("unknown option '" + arg + "'");
        } else if (o.command.empty()) {
            if (!kCommands.count(arg)) return fail("unknown command '" + arg + "'");
            o.command = arg;
        } else {
            o.arguments.push_back(arg);
        }
    }
    if (o.help || o.version) return result;
    if (o.command.empty()) return fail("no command given");
    const std::size_t allowed = o.command == "apply" || o.command == "show" ? 1 : 0;
    if (o.arguments.size() > allowed) return fail("too many arguments for '" + o.command + "'");
    if (o.command == "show" && o.arguments.empty()) return fail("show needs a profile image");
    if (o.profile && (o.command != "apply" || !o.arguments.empty())) {
        return fail("--profile goes with 'apply' and no file");
    }
    if (o.pointer && o.command != "apply") return fail("--pointer goes with 'apply'");
    if (o.device != "auto" && o.device.rfind("sim", 0) != 0 && o.device.rfind("/dev/", 0) != 0) {
        return fail("--device takes auto, sim[:STATEFILE] or a /dev/hidrawN node");
    }
    if (o.device.rfind("sim", 0) == 0 && o.device != "sim" && o.device.rfind("sim:", 0) != 0) {
        return fail("--device takes auto, sim[:STATEFILE] or a /dev/hidrawN node");
    }
    return result;
}

}  // namespace p330::cli
