#include "platform/session_bus.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/run_tool.h"

namespace p330 {

namespace {

// gdbus call prints a method's results as a tuple: "(<0.5>,)", "(['a', 'b'],)", "()".
std::string unwrap_tuple(const std::string& printed) {
    std::string text = trimmed(printed);
    if (text.size() >= 3 && text.front() == '(' && text.substr(text.size() - 2) == ",)")
        text = text.substr(1, text.size() - 3);
    if (text.size() >= 2 && text.front() == '<' && text.back() == '>')
        text = text.substr(1, text.size() - 2);
    return text;
}

std::optional<std::string> call(const BusObject& object, const std::string& method,
                                std::vector<std::string> arguments) {
    std::vector<std::string> args = {"gdbus",     "call",         "--session",
                                     "--dest",    object.service, "--object-path",
                                     object.path, "--method",     method};
    args.insert(args.end(), arguments.begin(), arguments.end());
    return run_tool(std::move(args));
}

}  // namespace

std::vector<std::string> session_bus_names() {
    // Without an address or the bus in the runtime folder, gdbus would start one of its own
    // (autolaunch): a session without a bus has no names.
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if ((address == nullptr || *address == '\0') &&
        (runtime == nullptr || ::access((std::string(runtime) + "/bus").c_str(), F_OK) != 0))
        return {};
    const std::optional<std::string> listed =
        call({"org.freedesktop.DBus", "/org/freedesktop/DBus", ""},
             "org.freedesktop.DBus.ListNames", {});
    return listed ? quoted_items(*listed) : std::vector<std::string>{};
}

std::optional<std::string> bus_property(const BusObject& object, const std::string& property) {
    const std::optional<std::string> got =
        call(object, "org.freedesktop.DBus.Properties.Get", {object.interface, property});
    if (!got) return std::nullopt;
    std::string value = unwrap_tuple(*got);
    // A number whose type GVariant text cannot imply carries it in front: "uint32 1241".
    for (const char* type : {"byte ", "int16 ", "uint16 ", "int32 ", "uint32 ", "int64 ", "uint64 ",
                             "double ", "@as "}) {
        const std::string word = type;
        if (value.compare(0, word.size(), word) == 0) return value.substr(word.size());
    }
    return value;
}

bool set_bus_property(const BusObject& object, const std::string& property,
                      const std::string& value) {
    return call(object, "org.freedesktop.DBus.Properties.Set",
                {object.interface, property, "<" + value + ">"})
        .has_value();
}

bool emit_bus_signal(const std::string& path, const std::string& signal,
                     const std::vector<std::string>& arguments) {
    std::vector<std::string> args = {"gdbus", "emit",     "--session", "--object-path",
                                     path,    "--signal", signal};
    args.insert(args.end(), arguments.begin(), arguments.end());
    return run_tool(std::move(args)).has_value();
}

std::vector<std::string> quoted_items(const std::string& text) {
    std::vector<std::string> items;
    std::size_t at = 0;
    while ((at = text.find('\'', at)) != std::string::npos) {
        const std::size_t end = text.find('\'', at + 1);
        if (end == std::string::npos) break;
        items.push_back(text.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    return items;
}

}  // namespace p330
