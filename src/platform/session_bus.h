#pragma once
// The session bus through gdbus (GLib's tool, installed wherever gsettings is): the names
// owned on it, properties read and written, signals sent. Values travel in GVariant text
// form ("0.5", "true", "uint32 1241", "['event3', 'event4']").

#include <optional>
#include <string>
#include <vector>

namespace p330 {

struct BusObject {
    std::string service;
    std::string path;
    std::string interface;
};

// The names owned on the session bus now; none without a bus.
std::vector<std::string> session_bus_names();

// A property's value, its type word dropped ("uint32 1241" reads "1241").
std::optional<std::string> bus_property(const BusObject& object, const std::string& property);
// Writes a property; value in GVariant text form. True when the service took it.
bool set_bus_property(const BusObject& object, const std::string& property,
                      const std::string& value);
// Sends signal interface.member from path with these GVariant-text arguments.
bool emit_bus_signal(const std::string& path, const std::string& signal,
                     const std::vector<std::string>& arguments);

// The quoted items of a GVariant list text: ['a', 'b'] gives a and b.
std::vector<std::string> quoted_items(const std::string& text);

}  // namespace p330
