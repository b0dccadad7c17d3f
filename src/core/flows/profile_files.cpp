#include "core/flows/profile_files.h"

#include <unistd.h>

#include <climits>
#include <cstring>
#include <vector>

#include "core/formats/ini_document.h"
#include "core/util/file_io.h"
#include "core/util/parse_int.h"
#include "core/util/text_replace.h"

namespace p330 {

namespace fs = std::filesystem;

UserMessage write_failed_message(int error_code) {
    return UserMessage{"Error Code is: " + std::to_string(error_code) + " \n", kWriteFailedCaption};
}

fs::path DataFolder::image(int index) const {
    return dir / ("config" + std::to_string(index) + ".bin");
}

fs::path DataFolder::ini(int index) const {
    return dir / ("str" + std::to_string(index) + ".ini");
}

Result<fs::path> executable_folder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return Error{ErrorCode::kNotFound, "cannot find the executable: " + ec.message()};
    return exe.parent_path();
}

void ProfileState::point_at_index(const DataFolder& folder) {
    active_image = folder.image(index);
    active_ini = folder.ini(index);
}

namespace {

bool file_exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

// ".bin" becomes ".ini" in the file name only: a folder whose name holds ".bin" is left alone.
fs::path companion_ini(const fs::path& image) {
    return image.parent_path() / replace_all(image.filename().string(), ".bin", ".ini");
}

bool names_an_image(const fs::path& path) {
    return path.filename().string().find(".bin") != std::string::npos;
}

}  // namespace

Result<ProfileImage> read_profile_image(const fs::path& path) {
    Result<std::vector<std::uint8_t>> bytes = read_file(path, kProfileImageSize);
    if (!bytes) return bytes.error();
    if (bytes->size() != kProfileImageSize) {
        return Error{ErrorCode::kInvalidData, path.string() + " is " +
                                                  std::to_string(bytes->size()) + " bytes, not " +
                                                  std::to_string(kProfileImageSize)};
    }
    ProfileImage image{(*bytes)[0], {}};
    image.record = record_from_bytes(
        std::span<const std::uint8_t, kSettingsRecordSize>(bytes->data() + 1, kSettingsRecordSize));
    return image;
}

Status write_profile_image(const fs::path& path, const SettingsRecord& record) {
    std::vector<std::uint8_t> bytes(kProfileImageSize);
    bytes[0] = 1;
    const auto payload = record_bytes(record);
    std::copy(payload.begin(), payload.end(), bytes.begin() + 1);
    return write_file_atomically(path, bytes);
}

LoadResult choose_and_load_active_profile(const DataFolder& folder, ProfileState& state,
                                          SettingsRecord& record) {
    LoadResult result;
    if (state.load_defaults) {
        state.active_image = folder.default_image();
        state.active_ini = folder.default_ini();
    } else {
        Result<IniDocument> main = IniDocument::load(folder.main_ini());
        if (!main) {
            result.detail = main.error().message;
            return result;
        }
        const int count = parse_leading_int(main->get_or_empty("Profile", "ItemCount"));
        if (count == 0 || count > kMaxProfiles) {
            result.detail =
                "the profile list of " + folder.main_ini().string() + " has no usable ItemCount";
            return result;
        }
        if (count > 0) {  // a negative count keeps the current index
            const std::string current = main->get_or_empty("Profile", "CurProfileName");
            for (int i = 0; i < count; ++i) {
                if (main->get_or_empty("Profile", "Item" + std::to_string(i)) == current) {
                    state.index = static_cast<std::uint8_t>(i);  // the last equal item wins
                }
            }
        }
        state.point_at_index(folder);
    }

    if (!file_exists(state.active_image)) {
        result.message = UserMessage{kConfigMissingText, ""};
        result.detail = state.active_image.string() + " does not exist";
        return result;
    }
    Result<ProfileImage> image = read_profile_image(state.active_image);
    if (!image) {
        result.detail = image.error().message;  // wrong size or unreadable: keep the record
        return result;
    }
    state.first_run_flag = image->first_run_flag;
    record = image->record;
    result.image_loaded = true;
    return result;
}

ProfileIni read_profile_ini(const fs::path& path, Language language) {
    ProfileIni ini;
    Result<IniDocument> doc = IniDocument::load(path);
    if (!doc) return ini;
    const std::string section(label_section(language));
    for (int i = 0; i < kButtonCount; ++i) {
        ini.labels[static_cast<std::size_t>(i)] =
            doc->get_or_empty(section, "Item" + std::to_string(i + 1));
    }
    ini.language_code = doc->get_or_empty("Skins", "Lan");
    ini.skin_path = doc->get_or_empty("Skins", "Path");
    ini.red = doc->get_or_empty("Skins", "RColor");
    ini.green = doc->get_or_empty("Skins", "GColor");
    ini.blue = doc->get_or_empty("Skins", "BColor");
    return ini;
}

Status write_labels(const fs::path& path, Language language,
                    const std::array<std::string, kButtonCount>& labels) {
    Result<IniDocument> doc = IniDocument::load(path);
    if (!doc) return doc.error();
    const std::string section(label_section(language));
    for (int i = 0; i < kButtonCount; ++i) {
        doc->set(section, "Item" + std::to_string(i + 1), labels[static_cast<std::size_t>(i)]);
    }
    return doc->save(path);
}

SaveResult save_active_profile(const DataFolder& folder, ProfileState& state,
                               const SettingsRecord& record) {
    SaveResult result;
    state.point_at_index(folder);
    if (!file_exists(state.active_image)) {
        result.message = UserMessage{kConfigMissingText, ""};
        return result;
    }
    Status written = write_profile_image(state.active_image, record);
    if (!written) {
        result.message = write_failed_message(written.error().system_code);
        return result;
    }
    result.image_written = true;
    return result;
}

ImportResult import_profile(const fs::path& chosen, const DataFolder& folder, ProfileState& state,
                            SettingsRecord& record, Language language) {
    ImportResult result;
    if (!names_an_image(chosen)) return result;
    if (!file_exists(chosen)) {
        result.message = UserMessage{kConfigMissingText, ""};
        return result;
    }
    if (Result<ProfileImage> image = read_profile_image(chosen)) {
        state.first_run_flag = image->first_run_flag;
        record = image->record;
        result.image_read = true;
    }
    const fs::path ini = companion_ini(chosen);
    result.ini_read = file_exists(ini);
    result.ini = read_profile_ini(ini, language);
    state.point_at_index(folder);
    return result;
}

ExportResult export_profile(const fs::path& chosen, const DataFolder& folder, ProfileState& state,
                            const SettingsRecord& record, Language language,
                            const std::array<std::string, kButtonCount>& labels) {
    ExportResult result;
    fs::path full = chosen;
    fs::path bare = chosen.filename();
    if (!names_an_image(full)) full += ".bin";
    if (!names_an_image(bare)) bare += ".bin";

    auto write_pair = [&](const fs::path& image) {
        const fs::path ini = companion_ini(image);
        if (Status s = write_labels(ini, language, labels)) {
            result.written.push_back(ini);
        } else {
            result.messages.push_back(UserMessage{s.message(), "Warning"});
        }
        if (Status s = write_profile_image(image, record)) {
            result.written.push_back(image);
        } else {
            result.messages.push_back(write_failed_message(s.error().system_code));
        }
    };
    write_pair(full);
    const fs::path copy = folder.dir / bare;
    std::error_code ec;
    if (fs::weakly_canonical(copy, ec) != fs::weakly_canonical(full, ec)) write_pair(copy);

    state.active_image = copy;
    state.active_ini = companion_ini(copy);
    return result;
}

}  // namespace p330
