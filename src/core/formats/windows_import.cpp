#include "core/formats/windows_import.h"

#include "core/formats/ini_document.h"
#include "core/formats/profile_image.h"
#include "core/formats/profile_list.h"
#include "core/lang/language.h"
#include "core/util/code_page.h"
#include "core/util/file_io.h"
#include "core/util/file_journal.h"
#include "core/util/text_encoding.h"

namespace p330 {
namespace fs = std::filesystem;
namespace {

std::vector<std::string> image_names() {
    std::vector<std::string> names = {"config.bin"};
    for (int i = 0; i < kMaxProfiles; ++i) names.push_back("config" + std::to_string(i) + ".bin");
    return names;
}

std::vector<std::string> ini_names() {
    std::vector<std::string> names = {"str.ini"};
    for (int i = 0; i < kMaxProfiles; ++i) names.push_back("str" + std::to_string(i) + ".ini");
    names.emplace_back("record.ini");
    return names;
}

Error bad_file(const fs::path& path, const std::string& why) {
    return Error{ErrorCode::kInvalidData, path.string() + ": " + why};
}

// The Lan key of an INI whose bytes may be in any ASCII-compatible code page: the line is
// plain ASCII in every one of them.
std::string language_key(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        std::string_view key = line.substr(0, equals);
        while (!key.empty() && key.back() == ' ') key.remove_suffix(1);
        if (ini_names_equal(key, "Lan")) {
            std::string_view value = line.substr(equals + 1);
            while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
            return std::string(value);
        }
    }
    return {};
}

}  // namespace

Result<std::vector<ImportedFile>> read_windows_folder(const fs::path& source) {
    if (Status usable = check_folder(source, source.string(), FolderUse::kRead); !usable)
        return usable.error();
    std::error_code ec;
    std::vector<ImportedFile> files;
    for (const std::string& name : image_names()) {
        const fs::path path = source / name;
        if (!fs::exists(path, ec)) continue;
        Result<ProfileImage> image = read_profile_image(path);
        if (!image) return image.error();
        Result<std::vector<std::uint8_t>> bytes = read_file(path, kProfileImageSize);
        if (!bytes) return bytes.error();
        files.push_back({name, std::string(bytes->begin(), bytes->end()), "profile image"});
    }

    struct RawIni {
        std::string name;
        std::string bytes;
    };
    std::vector<RawIni> raw;
    std::string language;
    for (const std::string& name : ini_names()) {
        const fs::path path = source / name;
        if (!fs::exists(path, ec)) continue;
        Result<std::vector<std::uint8_t>> bytes = read_file(path, kMaxIniFileSize);
        if (!bytes) return bytes.error();
        raw.push_back({name, std::string(bytes->begin(), bytes->end())});
        if (language.empty() && name != "record.ini") {
            Result<std::string> text = decode_text_file(raw.back().bytes);
            language = language_key(text ? *text : raw.back().bytes);
        }
    }
    const std::string_view code_page = ansi_code_page(language_from_code(language));
    for (const RawIni& ini : raw) {
        const fs::path path = source / ini.name;
        const bool utf16 = ini.bytes.starts_with("\xFF\xFE");
        Result<std::string> text = decode_text_file(ini.bytes);
        std::string found_as = utf16 ? "UTF-16LE" : "UTF-8";
        if (!text && !utf16) {
            text = code_page_to_utf8(ini.bytes, code_page);
            found_as = std::string(code_page);
        }
        if (!text) return bad_file(path, text.error().message);
        Result<IniDocument> doc = IniDocument::parse(*text);
        if (!doc) return bad_file(path, doc.error().message);
        // Checked here, before any file is written: UTF-8 can be half as long again as GBK.
        Result<std::string> bytes = doc->render(path);
        if (!bytes) return bad_file(path, bytes.error().message);
        files.push_back({ini.name, std::move(*bytes), found_as});
    }
    if (files.empty()) {
        return Error{ErrorCode::kNotFound,
                     source.string() + " holds no config*.bin, str*.ini or record.ini"};
    }
    return files;
}

Status write_imported_files(const std::vector<ImportedFile>& files, const fs::path& target) {
    // The copies and the imported files are one change: a kill leaves all of them or none.
    FileWrites writes;
    for (const ImportedFile& file : files) {
        const fs::path path = target / file.name;
        Result<std::vector<std::uint8_t>> old = read_file(path, kMaxIniFileSize);
        if (old) {
            writes.emplace_back(target / (file.name + ".bak"),
                                std::string(old->begin(), old->end()));
        } else if (old.error().code != ErrorCode::kNotFound) {
            return Error{old.error().code,
                         "cannot keep " + path.string() + " as .bak: " + old.error().message};
        }
        writes.emplace_back(path, file.bytes);
    }
    return write_files_together(target, writes);
}

}  // namespace p330
