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

}  // namespace p330::cli
