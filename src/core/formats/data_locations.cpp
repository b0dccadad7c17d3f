#include "core/formats/data_locations.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/formats/ini_document.h"
#include "core/formats/profile_list.h"
#include "core/util/file_io.h"

#ifndef P330_DATA_FROM_BINDIR
#define P330_DATA_FROM_BINDIR "../share/p330"
#endif

namespace p330 {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxShippedFileSize = 1 << 20;

std::string env_or_empty(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Only the owner may enter: macros may hold typed text.
Status make_private_folder(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir.parent_path(), ec);
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
        return Error{ErrorCode::kIo, "cannot create " + dir.string() + ": " + std::strerror(errno),
                     errno};
    }
    if (!fs::is_directory(dir, ec)) {
        return Error{ErrorCode::kIo, dir.string() + " is not a folder"};
    }
    return Status::ok();
}

// Writes a complete copy beside the target and links it into place: link() never replaces
// an existing name, so a file the user has (or another copy just made) stays as it is.
Result<bool> create_if_absent(const fs::path& target, std::string_view bytes) {
    // A marked name, so that a copy killed here leaves nothing the clean-up misses.
    const fs::path temp = marked_temp_name(target, "seed");
    if (Status written = write_file_atomically(temp, bytes); !written) return written.error();
    const int linked = ::link(temp.c_str(), target.c_str());
    const int err = errno;
    ::unlink(temp.c_str());
    if (linked == 0) return true;
    if (err == EEXIST) return false;
    return Error{ErrorCode::kIo, "cannot create " + target.string() + ": " + std::strerror(err),
                 err};
}

Result<std::string> shipped_content(const fs::path& source, Language language) {
    Result<std::vector<std::uint8_t>> bytes = read_file(source, kMaxShippedFileSize);
    if (!bytes) return bytes.error();
    std::string text(bytes->begin(), bytes->end());
    if (source.extension() != ".ini" || source.filename() == "record.ini") return text;
    Result<IniDocument> ini = IniDocument::parse(text);
    if (!ini) return ini.error();
    ini->set("Skins", "Lan", language_code(language));
    return ini->serialise();
}

}  // namespace

UserEnvironment UserEnvironment::from_process() {
    UserEnvironment env{env_or_empty("XDG_CONFIG_HOME"), env_or_empty("HOME"), ""};
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        env.locale = env_or_empty(name);
        if (!env.locale.empty()) break;
    }
    return env;
}

fs::path shipped_data_dir(const fs::path& exe_dir) {
    return (exe_dir / P330_DATA_FROM_BINDIR).lexically_normal();
}

Result<fs::path> user_data_dir(const UserEnvironment& env) {
    if (!env.xdg_config_home.empty() && env.xdg_config_home.front() == '/')
        return fs::path(env.xdg_config_home) / "p330";
    if (env.home.empty() || env.home.front() != '/') {
        return Error{ErrorCode::kNotFound,
                     "neither XDG_CONFIG_HOME nor HOME names a folder for the profiles; "
                     "give one with --data-dir"};
    }
    return fs::path(env.home) / ".config" / "p330";
}

Result<DataLocations> locate_data(const fs::path& data_dir, const UserEnvironment& env,
                                  const fs::path& exe_dir) {
    const fs::path shipped = shipped_data_dir(exe_dir);
    if (!data_dir.empty()) {
        return DataLocations{data_dir,
                             data_dir,
                             {data_dir / "Skins", shipped / "Skins"},
                             true,
                             shipped / "defaults"};
    }
    Result<fs::path> user = user_data_dir(env);
    if (!user) return user.error();
    return DataLocations{*user, shipped / "defaults", {*user / "Skins", shipped / "Skins"}, false};
}

Language language_for_locale(std::string_view locale) {
    const std::string_view region = locale.substr(0, locale.find_first_of(".@"));
    if (region == "zh_CN" || region == "zh_SG") return Language::kSimplifiedChinese;
    if (region == "zh_TW" || region == "zh_HK" || region == "zh_MO")
        return Language::kTraditionalChinese;
    return Language::kEnglish;
}

std::vector<std::string> shipped_file_names() {
    std::vector<std::string> names = {"record.ini", "config.bin", "str.ini"};
    for (int i = 0; i < kMaxProfiles; ++i) {
        names.push_back("config" + std::to_string(i) + ".bin");
        names.push_back("str" + std::to_string(i) + ".ini");
    }
    return names;
}

namespace {

// A --data-dir folder is made from the defaults only when nothing of the user's is in it.
// Hidden files (a lock, a journal) are the programs' own.
Result<bool> single_folder_wants_seed(const fs::path& dir) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(dir, ec))) return true;
    if (!fs::is_directory(dir, ec)) return false;  // said by whoever reads it
    if (fs::exists(dir / "str.ini", ec)) return false;
    bool holds_files = false;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        holds_files = holds_files || !it->path().filename().string().starts_with('.');
    if (ec) return false;  // unreadable: said by whoever reads it
    if (!holds_files) return true;
    return Error{ErrorCode::kNotFound,
                 "the data folder " + dir.string() +
                     " holds files but no profile list (str.ini), so it is not a folder of this "
                     "program's profiles; to start afresh, name a new or empty folder with "
                     "--data-dir and it is made from the shipped defaults"};
}

}  // namespace

Result<std::vector<std::string>> seed_user_folder(const DataLocations& where, Language language) {
    std::vector<std::string> copied;
    if (where.single_folder) {
        Result<bool> wanted = single_folder_wants_seed(where.user_dir);
        if (!wanted) return wanted.error();
        if (!*wanted) return copied;
    }
    if (Status made = make_private_folder(where.user_dir); !made) return made.error();
    std::optional<Error> first_error;
    for (const std::string& name : shipped_file_names()) {
        const fs::path target = where.user_dir / name;
        std::error_code ec;
        if (fs::exists(fs::symlink_status(target, ec))) continue;
        Result<std::string> content = shipped_content(where.seed_dir() / name, language);
        Result<bool> created =
            content ? create_if_absent(target, *content) : Result<bool>(content.error());
        if (!created) {
            if (!first_error) first_error = created.error();
        } else if (*created) {
            copied.push_back(name);
        }
    }
    if (first_error) return *first_error;
    return copied;
}

}  // namespace p330
