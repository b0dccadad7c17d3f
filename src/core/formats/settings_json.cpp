#include "core/formats/settings_json.h"

#include <algorithm>
#include <map>
#include <optional>

#include "core/settings/setting_report.h"
#include "core/util/json_reader.h"
#include "core/util/quoted_value.h"
#include "core/util/text_encoding.h"

namespace p330 {
namespace {

// Reads get --json's document: the profile's settings and name; the rest of what get --json
// reports is passed over.
class SettingsJsonReader {
  public:
    SettingsJsonReader(std::string_view text, std::string source)
        : text_(text), source_(source), json_(text, std::move(source)) {}

    Result<SettingsText> run() {
        if (Status utf8 = check_utf8_text(text_, source_); !utf8) return utf8.error();
        json_.skip_blanks();
        if (!json_.take('{')) return json_.fault("a JSON document starts with '{'");
        if (!json_.members(
                0, [this](const std::string& key, int line) { return top_member(key, line); }))
            return *json_.error();
        json_.skip_blanks();
        if (!json_.at_end()) return json_.fault("text after the JSON document");
        if (!has_settings_)
            return json_.fault("no \"settings\" object: not a document of get --json");
        return std::move(out_);
    }

  private:
    bool top_member(const std::string& key, int line) {
        if (key == "settings") {
            has_settings_ = true;
            if (!json_.take('{')) return json_.fail("\"settings\" is an object of KEY: VALUE");
            return json_.members(1, [this](const std::string& k, int l) {
                std::optional<std::string> v = json_.scalar();
                if (!v) return false;
                if (const auto [seen, added] = lines_of_keys_.emplace(k, l); !added)
                    return json_.fail(printable(k) + " is already given on line " +
                                      std::to_string(seen->second));
                out_.settings.push_back(TextSetting{l, k, *v});
                return true;
            });
        }
        if (key == "schema") {
            std::optional<std::string> v = json_.scalar();
            if (!v) return false;
            if (*v != "1")
                return json_.fail("schema " + printable(*v) +
                                  " is not one this program reads: it reads schema 1");
            return true;
        }
        if (key == kProfileNameKey) {
            std::optional<std::string> v = json_.scalar();
            if (!v) return false;
            out_.settings.insert(out_.settings.begin(), TextSetting{line, key, *v});
            return true;
        }
        if (!reported(key)) {
            return json_.fail("unknown member \"" + printable(key) +
                              "\": only \"settings\" and \"name\" are read, beside what get "
                              "--json reports");
        }
        return json_.skip_value(1);
    }

    // What `get --json` prints beside "settings" and "name": derived from the settings, so
    // passed over (a change belongs in "settings"); the CLI tests feed its whole output back.
    // The members that report settings are the catalogue's; these are the profile's own.
    static bool reported(const std::string& key) {
        static constexpr std::string_view kProfileMembers[] = {
            "schema",         "profile",      "language",    "labels",
            "first_run_flag", "macro_blocks", "out_of_range"};
        static const std::vector<std::string> kSettingMembers = setting_report_names();
        return std::find(std::begin(kProfileMembers), std::end(kProfileMembers), key) !=
                   std::end(kProfileMembers) ||
               std::find(kSettingMembers.begin(), kSettingMembers.end(), key) !=
                   kSettingMembers.end();
    }

    std::string_view text_;
    std::string source_;
    JsonCursor json_;
    SettingsText out_;
    bool has_settings_ = false;
    std::map<std::string, int> lines_of_keys_;
};

}  // namespace

bool looks_like_json(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && text[first] == '{';
}

Result<SettingsText> parse_settings_json(std::string_view text, const std::string& source) {
    return SettingsJsonReader(text, source).run();
}

}  // namespace p330
