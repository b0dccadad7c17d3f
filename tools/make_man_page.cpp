// Writes p330ctl's manual page from its template: the line @SETTING_KEYS@ becomes the KEYS
// list, every setting of the catalogue with what it takes, in the order 'help set' and
// export-text list them. Settings that take the same in a row share an item ("dpi.1 ...
// dpi.4").
//
// usage: make_man_page TEMPLATE OUTPUT

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/settings_catalogue.h"
#include "core/util/file_io.h"

using namespace p330;

namespace {

constexpr std::string_view kMarker = "@SETTING_KEYS@";
constexpr std::size_t kMaxTemplate = 1 << 20;

// Text as roff prints it: '-' as a minus sign, so that a copied key works; a backslash as
// itself; a line never read as a request.
std::string roff(std::string_view text) {
    std::string out = text.starts_with('.') || text.starts_with('\'') ? "\\&" : "";
    for (const char ch : text) {
        if (ch == '-')
            out += "\\-";
        else if (ch == '\\')
            out += "\\e";
        else
            out += ch;
    }
    return out;
}

// "dpi.1", "dpi.2", ... "dpi.N" with N above 2: named by the first and last.
bool numbered_from_one(const std::vector<const SettingEntry*>& group) {
    const std::string& first = group[0]->key;
    if (group.size() < 3 || !first.ends_with(".1")) return false;
    const std::string stem = first.substr(0, first.size() - 1);
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (group[i]->key != stem + std::to_string(i + 1)) return false;
    }
    return true;
}

std::string item(const std::vector<const SettingEntry*>& group) {
    std::string keys;
    if (group.size() == 1) {
        keys = ".B " + roff(group[0]->key);
    } else if (numbered_from_one(group)) {
        keys = ".BR " + roff(group.front()->key) + " \" ... \" " + roff(group.back()->key);
    } else {
        keys = ".BR";
        for (std::size_t i = 0; i < group.size(); ++i)
            keys += (i == 0 ? " " : " \", \" ") + roff(group[i]->key);
    }
    return ".TP\n" + keys + "\nTakes " + roff(group[0]->takes) + ".\n";
}

std::string setting_keys() {
    std::string out;
    std::vector<const SettingEntry*> group;
    for (const SettingEntry& entry : settings_catalogue()) {
        if (!group.empty() && group[0]->takes != entry.takes) {
            out += item(group);
            group.clear();
        }
        group.push_back(&entry);
    }
    return out + item(group);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_man_page TEMPLATE OUTPUT\n");
        return 2;
    }
    Result<std::vector<std::uint8_t>> read = read_file(argv[1], kMaxTemplate);
    if (!read) {
        std::fprintf(stderr, "make_man_page: %s: %s\n", argv[1], read.error().message.c_str());
        return 1;
    }
    std::string page(read->begin(), read->end());
    const std::string line = "\n" + std::string(kMarker) + "\n";
    const std::size_t at = page.find(line);
    if (at == std::string::npos || page.find(line, at + 1) != std::string::npos) {
        std::fprintf(stderr, "make_man_page: %s: needs one line %s\n", argv[1], kMarker.data());
        return 1;
    }
    page.replace(at + 1, kMarker.size() + 1, setting_keys());
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(argv[2]).parent_path(), ec);
    const Status written = write_file_atomically(argv[2], std::string_view(page));
    if (!written) {
        std::fprintf(stderr, "make_man_page: %s: %s\n", argv[2], written.error().message.c_str());
        return 1;
    }
    return 0;
}
