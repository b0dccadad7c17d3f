#pragma once
// INI files with the behaviour the Windows profile-string functions give the program's files:
// section and key names match without regard to ASCII case, values come back as written,
// sections keep file order, a write to a missing section appends it at the end, and a whole
// section can be deleted. Comments and blank lines of hand-edited files are kept.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/result.h"

namespace p330 {

// Every INI the program reads or writes; a writer refuses what its reader would refuse.
constexpr std::size_t kMaxIniFileSize = std::size_t{1024} * 1024;

class IniDocument {
  public:
    // text is UTF-8, with or without a byte-order mark, or UTF-16LE with its mark.
    static Result<IniDocument> parse(std::string_view bytes);
    // A missing file is an empty document; an oversized or binary file is an error.
    static Result<IniDocument> load(const std::filesystem::path& path);

    std::optional<std::string> get(std::string_view section, std::string_view key) const;
    std::string get_or_empty(std::string_view section, std::string_view key) const {
        return get(section, key).value_or(std::string());
    }
    void set(std::string_view section, std::string_view key, std::string_view value);
    void remove_section(std::string_view section);
    // Empties a section where it stands (appends it when missing), so it keeps its place.
    void clear_section(std::string_view section);
    // Gives a section another name where it stands; false when it does not exist.
    bool rename_section(std::string_view from, std::string_view to);
    bool has_section(std::string_view section) const;
    std::vector<std::string> section_names() const;

    std::string serialise() const;  // UTF-8, no byte-order mark, "\r\n" avoided
    // The bytes save writes; an error naming the limit when they would pass kMaxIniFileSize.
    Result<std::string> render(const std::filesystem::path& path) const;
    Status save(const std::filesystem::path& path) const;  // atomically

  private:
    struct Line {
        std::string key;    // empty for comments and blank lines
        std::string value;  // the raw line for comments
    };
    // Lookups go through maps keyed by the lower-case name (the first of equal names wins),
    // so that reading, changing and writing a file at the size limit stays linear.
    struct Section {
        std::string name;
        std::vector<Line> lines;  // up to and including the last key
        std::vector<Line> tail;   // blank lines and comments after the last key
        std::unordered_map<std::string, std::size_t> keys;

        void add_key(Line line);
        void reindex();
    };

    Section* find(std::string_view section);
    const Section* find(std::string_view section) const;
    Section& append_section(std::string name);
    void reindex();

    std::vector<Line> preamble_;  // lines before the first section
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> index_;
};

// Case-insensitive for ASCII letters, exact for everything else.
bool ini_names_equal(std::string_view a, std::string_view b);

// Read-modify-write of one file, as WritePrivateProfileString does: creates a missing file.
Status ini_write_value(const std::filesystem::path& path, std::string_view section,
                       std::string_view key, std::string_view value);

}  // namespace p330
