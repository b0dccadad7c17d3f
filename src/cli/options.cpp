#include "cli/options.h"

#include "cli/command_table.h"
#include "core/util/parse_int.h"

namespace p330::cli {
namespace {

std::string check_device(const std::string& device) {
    const bool sim = device == "sim" || device.rfind("sim:", 0) == 0;
    if (device == "auto" || sim || device.rfind("/dev/", 0) == 0) return {};
    return "--device takes auto, sim[:STATEFILE] or a /dev/hidrawN node";
}

// What the command's table entry allows; empty when the options fit it.
std::string check_command(const Options& o) {
    const CommandEntry* entry = find_command(o.command);
    const auto n = static_cast<int>(o.arguments.size());
    if (n < entry->min_arguments)
        return "'" + o.command + "' needs " + std::string(entry->missing_text);
    if (entry->max_arguments >= 0 && n > entry->max_arguments)
        return "too many arguments for '" + o.command + "'";
    if (o.profile && !(entry->flags & kTakesProfile))
        return "--profile does not go with '" + o.command + "'";
    if (o.profile && o.command == "apply" && !o.arguments.empty())
        return "--profile goes with 'apply' and no file";
    if (o.apply && !(entry->flags & kTakesApply))
        return "--apply does not go with '" + o.command + "'";
    if (o.pointer && !(entry->flags & kTakesPointer))
        return "--pointer does not go with '" + o.command + "'";
    if (o.pointer && o.command != "apply" && !o.apply) return "--pointer needs --apply";
    return {};
}

}  // namespace

ParseResult parse_options(const std::vector<std::string>& args) {
    ParseResult result;
    Options& o = result.options;
    auto fail = [&](std::string message) {
        result.error = std::move(message);
        return result;
    };
    bool options_ended = false;
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
        if (options_ended || arg.size() < 2 || arg[0] != '-') {
            if (o.command.empty()) {
                if (find_command(arg) == nullptr) return fail("unknown command '" + arg + "'");
                o.command = arg;
            } else {
                o.arguments.push_back(arg);
            }
        } else if (arg == "--") {
            options_ended = true;
        } else if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--pointer") {
            o.pointer = true;
        } else if (arg == "--apply") {
            o.apply = true;
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
        } else {
            return fail("unknown option '" + arg + "'");
        }
    }
    if (o.help || o.version || o.command == "help") return result;
    if (o.command.empty()) return fail("no command given");
    if (std::string why = check_command(o); !why.empty()) return fail(why);
    if (std::string why = check_device(o.device); !why.empty()) return fail(why);
    return result;
}

}  // namespace p330::cli
