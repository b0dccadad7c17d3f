#pragma once
// Just enough JSON to read a compositor's answers: values, arrays, objects, with a depth
// limit so a hostile or broken answer cannot exhaust the stack.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace p330 {

struct JsonValue {
    enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
    Kind kind = Kind::kNull;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;           // an array's items, or an object's values
    std::vector<std::string> member_names;  // an object's names, one for each item

    // The member of that name in an object; null when absent or not an object.
    const JsonValue* member(std::string_view name) const;
};

std::optional<JsonValue> parse_json(std::string_view text);

}  // namespace p330
