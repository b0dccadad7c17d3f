#pragma once
// Just enough JSON for p330ctl's machine-readable output.

#include <string>
#include <string_view>

namespace p330::cli {

std::string json_string(std::string_view text);

// Builds an object or array with commas placed for the caller.
class JsonList {
  public:
    explicit JsonList(char open) : text_(1, open), close_(open == '{' ? '}' : ']') {}
    JsonList& field(std::string_view name, const std::string& raw_json) {
        separate();
        text_ += json_string(name) + ":" + raw_json;
        return *this;
    }
    JsonList& item(const std::string& raw_json) {
        separate();
        text_ += raw_json;
        return *this;
    }
    // The fields of another object's text, "{...}", added to this one.
    JsonList& fields_of(const std::string& object) {
        if (object.size() > 2) {
            separate();
            text_ += object.substr(1, object.size() - 2);
        }
        return *this;
    }
    std::string str() const { return text_ + close_; }

  private:
    void separate() {
        if (text_.size() > 1) text_ += ',';
    }
    std::string text_;
    char close_;
};

inline std::string json_bool(bool b) {
    return b ? "true" : "false";
}
template <typename T>
std::string json_number(T n) {
    return std::to_string(n);
}

// Every document p330ctl prints starts with the version of its layout.
constexpr int kJsonSchema = 1;
inline JsonList json_document() {
    JsonList document('{');
    document.field("schema", json_number(kJsonSchema));
    return document;
}

}  // namespace p330::cli
