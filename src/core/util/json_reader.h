#pragma once
// One JSON reader for the program: a cursor that reads a document forward, piece by piece,
// saying where and why it stops (the profile files a user edits), and a whole-value reader
// built on it (a compositor's answers). Nesting is bounded, so a hostile document cannot
// exhaust the stack.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "core/util/quoted_value.h"

namespace p330 {

struct JsonValue {
    enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
    Kind kind = Kind::kNull;
    bool boolean = false;
    double number = 0;
    std::string text;                       // a string's text, or a number as written
    std::vector<JsonValue> items;           // an array's items, or an object's values
    std::vector<std::string> member_names;  // an object's names, one for each item

    // The member of that name in an object; null when absent or not an object.
    const JsonValue* member(std::string_view name) const;
};

class JsonCursor {
  public:
    static constexpr int kMaxDepth = 64;

    // source names the document in faults: "SOURCE:LINE: why".
    JsonCursor(std::string_view text, std::string source)
        : text_(text), source_(std::move(source)) {}

    void skip_blanks();
    // Takes c after any blanks; false (and nothing taken) when c is not next.
    bool take(char c);
    bool at_end() const { return at_ == text_.size(); }
    // The line the cursor is on, from 1.
    int line();

    // Records a fault at the cursor, as error() then gives it.
    Error fault(std::string why);
    bool fail(const std::string& why) {
        (void)fault(why);
        return false;
    }
    const std::optional<Error>& error() const { return error_; }

    // A string at the cursor, its escapes decoded (UTF-8).
    std::optional<std::string> string();
    // A string or a number, as text: a number as written.
    std::optional<std::string> scalar();
    // Passes over any value.
    bool skip_value(int depth);
    // Any value, whole.
    std::optional<JsonValue> value(int depth);

    // The members of an object whose '{' has been taken; on_member(name, line) reads each
    // value and returns false to stop.
    template <typename OnMember>
    bool members(int depth, OnMember on_member) {
        if (depth > kMaxDepth) return fail("JSON nested too deep");
        if (take('}')) return true;
        do {
            skip_blanks();
            const int at_line = line();
            std::optional<std::string> key = string();
            if (!key) return false;
            if (!take(':')) return fail("':' expected after \"" + printable(*key) + "\"");
            if (!on_member(*key, at_line)) return false;
        } while (take(','));
        return take('}') || fail("',' or '}' expected");
    }

  private:
    std::optional<unsigned> hex4();
    bool word(std::string_view w);

    std::string_view text_;
    std::string source_;
    std::size_t at_ = 0;
    std::optional<Error> error_;
    // The cursor only moves forward, so lines are counted from where the last count ended.
    std::size_t counted_to_ = 0;
    int lines_ = 1;
};

// A whole document of one value; nothing when it is not JSON.
std::optional<JsonValue> parse_json(std::string_view text);

}  // namespace p330
