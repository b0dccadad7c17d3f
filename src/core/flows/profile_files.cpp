#include "core/flows/profile_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "core/flows/export_target.h"
#include "core/formats/file_transaction.h"
#include "core/formats/ini_document.h"
#include "core/lang/error_texts.h"
#include "core/util/file_io.h"
#include "core/util/file_journal.h"
#include "core/util/folder_lock.h"
#include "core/util/text_replace.h"

namespace p330 {

namespace fs = std::filesystem;

UserMessage write_failed_message(const Error& error) {
    return UserMessage{
        "Error Code is: " + std::to_string(error.system_code) + " \n" + error.message,
        kWriteFailedCaption};
}

std::vector<fs::path> saved_profile_files(const DataFolder& folder, const ProfileState& state) {
    ProfileState target = state;
    target.point_at_index(folder);
    return {target.active_image, target.active_ini};
}

FilesStamp stamp_files(const std::vector<fs::path>& paths) {
    FilesStamp stamp;
    for (const fs::path& path : paths) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) {
            stamp.files.push_back({-1, 0, 0, 0});
            continue;
        }
        stamp.files.push_back({static_cast<long long>(info.st_ino),
                               static_cast<long long>(info.st_size),
                               static_cast<long long>(info.st_mtim.tv_sec),
                               static_cast<long long>(info.st_mtim.tv_nsec)});
    }
    return stamp;
}

std::string message_line(const UserMessage& message) {
    auto trimmed = [](std::string s) {
        const auto end = s.find_last_not_of(" \t\r\n");
        s.erase(end == std::string::npos ? 0 : end + 1);
        return s;
    };
    const std::string caption = trimmed(message.caption);
    const std::string text = trimmed(message.text);
    return caption.empty() ? text : caption + ": " + text;
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

}  // namespace

bool names_a_profile_image(const fs::path& path) {
    return path.filename().string().find(".bin") != std::string::npos;
}

LoadResult choose_and_load_active_profile(const DataFolder& folder, ProfileState& state,
                                          SettingsRecord& record) {
    LoadResult result;
    if (state.load_defaults) {
        state.active_image = folder.default_image();
        state.active_ini = folder.default_ini();
    } else {
        Result<ProfileList> list = read_profile_list(folder.main_ini());
        if (!list) {
            result.detail = list.error().message;
            return result;
        }
        if (!file_exists(folder.main_ini())) {
            result.detail = "the profile list " + folder.main_ini().string() + " does not exist";
            return result;
        }
        if (list->count == 0 || list->count > kMaxProfiles) {
            result.detail =
                "the profile list of " + folder.main_ini().string() + " has no usable ItemCount";
            return result;
        }
        // A negative count keeps the current index, as does a list naming no current entry.
        if (list->current >= 0) state.index = static_cast<std::uint8_t>(list->current);
        state.point_at_index(folder);
    }

    if (!file_exists(state.active_image)) {
        result.message = UserMessage{kConfigMissingText, ""};
        result.detail = state.active_image.string() + " does not exist";
        return result;
    }
    Result<ProfileImage> image = read_profile_image(state.active_image);
    if (!image) {
        // Unreadable, cut short or holding what the program never writes: the record stays
        // as it was and the user is told which file and why, as for a missing one.
        result.detail = image.error().message;
        result.message = UserMessage{image.error().message, "Warning"};
        result.image_refused = true;
        return result;
    }
    state.first_run_flag = image->first_run_flag;
    record = image->record;
    result.image_loaded = true;
    result.adjusted = profile_image_adjustments(state.active_image, image->adjusted);
    if (!result.adjusted.empty()) result.message = UserMessage{result.adjusted, "Information"};
    return result;
}

SaveResult save_active_profile(const DataFolder& folder, ProfileState& state,
                               const SettingsRecord& record, Language language,
                               const std::array<std::string, kButtonCount>& labels,
                               const std::optional<FilesStamp>& expected) {
    SaveResult result;
    Result<FolderLock> lock = FolderLock::acquire(folder.dir);
    if (!lock) {
        result.message = UserMessage{error_text(lock.error(), language), "Warning"};
        return result;
    }
    state.point_at_index(folder);
    if (expected && stamp_files(saved_profile_files(folder, state)) != *expected) {
        result.changed_elsewhere = true;
        result.message =
            UserMessage{std::string(ui_texts(language).changed_elsewhere_not_saved), "Warning"};
        return result;
    }
    if (!file_exists(state.active_image)) {
        result.message = UserMessage{kConfigMissingText, ""};
        return result;
    }
    FileTransaction change(folder.dir);
    Status written = stage_labels(change, state.active_ini, language, labels);
    if (!written) {  // an INI that cannot be read or would pass its limit: nothing is saved
        result.message = UserMessage{written.message(), "Warning"};
        return result;
    }
    change.stage(state.active_image, profile_image_bytes(record));
    written = change.commit();
    if (!written) {
        result.message = write_failed_message(written.error());
        return result;
    }
    result.image_written = true;
    return result;
}

ImportResult import_profile(const fs::path& chosen, const DataFolder& folder, ProfileState& state,
                            SettingsRecord& record, Language language) {
    ImportResult result;
    if (!names_a_profile_image(chosen)) return result;
    if (!file_exists(chosen)) {
        result.message = UserMessage{kConfigMissingText, ""};
        return result;
    }
    state.point_at_index(folder);
    Result<ProfileImage> image = read_profile_image(chosen);
    if (!image) {
        result.message = UserMessage{image.error().message, "Warning"};
        return result;  // nothing of a refused file is taken, its labels neither
    }
    state.first_run_flag = image->first_run_flag;
    record = image->record;
    result.image_read = true;
    result.adjusted = profile_image_adjustments(chosen, image->adjusted);
    const fs::path ini = companion_ini(chosen);
    if (file_exists(ini)) {
        Result<ProfileIni> labels = load_profile_ini(ini, language);
        if (labels) {
            result.ini_read = true;
            result.ini = *labels;
        } else {  // the profile keeps its labels rather than losing them to an unreadable file
            result.message = UserMessage{labels.error().message, "Warning"};
        }
    }
    return result;
}

ExportResult export_profile(const fs::path& chosen, const DataFolder& folder, ProfileState& state,
                            const SettingsRecord& record, Language language,
                            const std::array<std::string, kButtonCount>& labels) {
    ExportResult result;
    fs::path full = chosen;
    fs::path bare = chosen.filename();
    if (!names_a_profile_image(full)) full += ".bin";
    if (!names_a_profile_image(bare)) bare += ".bin";
    const fs::path copy = folder.dir / bare;
    for (const fs::path& image : {full, copy}) {
        for (const fs::path& file : {image, companion_ini(image)}) {
            if (Status s = check_export_target(folder, file); !s) {
                result.refused = s.error();
                result.refused->message += ": nothing was exported, choose another name";
                result.messages.push_back(UserMessage{result.refused->message, "Warning"});
                return result;
            }
        }
    }

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
            result.messages.push_back(write_failed_message(s.error()));
        }
    };
    write_pair(full);
    // A chosen file that failed gets no copy in the data folder: the export stops there.
    std::error_code ec;
    if (result.messages.empty() && fs::weakly_canonical(copy, ec) != fs::weakly_canonical(full, ec))
        write_pair(copy);

    state.active_image = copy;
    state.active_ini = companion_ini(copy);
    return result;
}

}  // namespace p330
