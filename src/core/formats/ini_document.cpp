#include "core/formats/ini_document.h"

#include <algorithm>

#include "core/util/file_io.h"
#include "core/util/text_encoding.h"

namespace p330 {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::string lower_ascii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return out;
}

}  // namespace

void IniDocument::Section::add_key(Line line) {
    // Comments met since the last key stay before the new one.
    lines.insert(lines.end(), std::make_move_iterator(tail.begin()),
                 std::make_move_iterator(tail.end()));
    tail.clear();
    keys.emplace(lower_ascii(line.key), lines.size());
    lines.push_back(std::move(line));
}

void IniDocument::Section::reindex() {
    keys.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].key.empty()) keys.emplace(lower_ascii(lines[i].key), i);
    }
}

IniDocument::Section& IniDocument::append_section(std::string name) {
    index_.emplace(lower_ascii(name), sections_.size());
    sections_.push_back(Section{std::move(name), {}, {}, {}});
    return sections_.back();
}

void IniDocument::reindex() {
    index_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        index_.emplace(lower_ascii(sections_[i].name), i);
}

bool ini_names_equal(std::string_view a, std::string_view b) {
    return equal_ignoring_ascii_case(a, b);
}

Result<IniDocument> IniDocument::parse(std::string_view bytes) {
    Result<std::string> text = decode_text_file(bytes);
    if (!text) return text.error();

    IniDocument doc;
    // At most one section per '[': no section is moved while the file is read.
    const auto brackets = static_cast<std::size_t>(std::count(text->begin(), text->end(), '['));
    doc.sections_.reserve(brackets);
    doc.index_.reserve(brackets);
    Section* section = nullptr;  // null: the preamble
    std::string_view rest = *text;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view raw = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        while (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

        // A byte-order mark inside the file is invisible in an editor; at the start of a line it
        // is taken as blank, or a key written first in the file would lose it on the next read.
        std::string_view line = trim(raw);
        while (line.starts_with(kUtf8ByteOrderMark)) line = trim(line.substr(3));
        if (!line.empty() && line.front() == '[') {
            const auto close = line.find(']');
            const std::string_view name =
                trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
            section = &doc.append_section(std::string(name));
            continue;
        }
        const auto equals = line.find('=');
        const std::string_view key =
            equals == std::string_view::npos ? std::string_view() : trim(line.substr(0, equals));
        if (key.empty() ||
            line.front() == ';') {  // comments, blank lines and stray text are kept as they are
            (section ? section->tail : doc.preamble_).push_back(Line{{}, std::string(raw)});
            continue;
        }
        Line entry{std::string(key), std::string(trim(line.substr(equals + 1)))};
        if (section)
            section->add_key(std::move(entry));
        else
            doc.preamble_.push_back(std::move(entry));
    }
    return doc;
}

Result<IniDocument> IniDocument::load(const std::filesystem::path& path) {
    Result<std::vector<std::uint8_t>> bytes = read_file(path, kMaxIniFileSize);
    if (!bytes) {
        if (bytes.error().code == ErrorCode::kNotFound) return IniDocument{};
        return bytes.error();
    }
    Result<IniDocument> doc =
        parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!doc) return Error{doc.error().code, path.string() + ": " + doc.error().message};
    return doc;
}

IniDocument::Section* IniDocument::find(std::string_view section) {
    const auto it = index_.find(lower_ascii(section));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

const IniDocument::Section* IniDocument::find(std::string_view section) const {
    return const_cast<IniDocument*>(this)->find(section);
}

std::optional<std::string> IniDocument::get(std::string_view section, std::string_view key) const {
    const Section* s = find(section);
    if (s == nullptr) return std::nullopt;
    const auto it = s->keys.find(lower_ascii(key));
    if (it == s->keys.end()) return std::nullopt;
    return s->lines[it->second].value;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = find(section);
    if (s == nullptr) s = &append_section(std::string(section));
    if (const auto it = s->keys.find(lower_ascii(key)); it != s->keys.end()) {
        s->lines[it->second].value = value;
        return;
    }
    // New keys go after the last key, before trailing blank lines and comments.
    const std::size_t at = s->lines.size();
    s->keys.emplace(lower_ascii(key), at);
    s->lines.push_back(Line{std::string(key), std::string(value)});
}

void IniDocument::remove_section(std::string_view section) {
    std::erase_if(sections_, [&](const Section& s) { return ini_names_equal(s.name, section); });
    reindex();
}

void IniDocument::clear_section(std::string_view section) {
    if (Section* s = find(section)) {
        // The comments left all come after the keys written next.
        std::erase_if(s->lines, [](const Line& l) { return !l.key.empty(); });
        s->lines.insert(s->lines.end(), std::make_move_iterator(s->tail.begin()),
                        std::make_move_iterator(s->tail.end()));
        s->tail = std::move(s->lines);
        s->lines.clear();
        s->keys.clear();
    } else {
        append_section(std::string(section));
    }
}

bool IniDocument::rename_section(std::string_view from, std::string_view to) {
    Section* s = find(from);
    if (s == nullptr) return false;
    s->name = std::string(to);
    reindex();
    return true;
}

bool IniDocument::has_section(std::string_view section) const {
    return find(section) != nullptr;
}

std::vector<std::string> IniDocument::section_names() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& s : sections_) names.push_back(s.name);
    return names;
}

std::string IniDocument::serialise() const {
    std::string out;
    auto put_lines = [&out](const std::vector<Line>& lines) {
        for (const Line& line : lines) {
            out += line.key.empty() ? line.value : line.key + "=" + line.value;
            out += '\n';
        }
    };
    put_lines(preamble_);
    for (const Section& s : sections_) {
        out += "[" + s.name + "]\n";
        put_lines(s.lines);
        put_lines(s.tail);
    }
    return out;
}

Result<std::string> IniDocument::render(const std::filesystem::path& path) const {
    std::string bytes = serialise();
    if (bytes.size() > kMaxIniFileSize) {
        return Error{ErrorCode::kInvalidArgument,
                     path.string() + " would be " + std::to_string(bytes.size()) +
                         " bytes, past the " + std::to_string(kMaxIniFileSize) +
                         "-byte limit of the program's INI files: nothing was written"};
    }
    return bytes;
}

Status IniDocument::save(const std::filesystem::path& path) const {
    Result<std::string> bytes = render(path);
    if (!bytes) return bytes.error();
    return write_file_atomically(path, *bytes);
}

Status ini_write_value(const std::filesystem::path& path, std::string_view section,
                       std::string_view key, std::string_view value) {
    Result<IniDocument> doc = IniDocument::load(path);
    if (!doc) return doc.error();
    doc->set(section, key, value);
    return doc->save(path);
}

}  // namespace p330
