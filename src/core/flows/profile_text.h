#pragma once
// A whole profile out to the settings text and back: its settings through the catalogue, its
// name on the profile list, and the macros the mouse holds, by name. An import is checked
// whole before anything is written, then written macros first and the profile image last,
// so a write cut short leaves the old image in place.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/flows/profile_edit.h"
#include "core/flows/profile_manager_model.h"
#include "core/formats/ini_document.h"

namespace p330 {

// The largest settings text an import reads, from a file or a stream.
constexpr std::size_t kMaxProfileTextSize = std::size_t{1024} * 1024;

// Profile index, or the active profile when there is none. `adjusted`, when given, gets the
// image's tolerated fields brought into range, in words.
Result<std::string> export_profile_text(const DataFolder& folder, std::optional<int> index,
                                        std::string* adjusted = nullptr);

struct ProfileTextImport {
    ProfileEdit edit;        // the profile as it will be written
    IniDocument record_ini;  // record.ini with the text's macros in it
    std::vector<std::string> macros_created, macros_updated;
    std::optional<ProfileManagerModel> renamed;  // the profile list, when the name changes
    std::vector<std::string> notes;              // "SOURCE:LINE: ..." for values stored rounded
};

// Reads the settings text or the JSON of 'get --json' (`source` names it in messages) and
// works out the whole change; nothing is written. Every refusal names the line at fault.
Result<ProfileTextImport> prepare_profile_text_import(const DataFolder& folder,
                                                      std::optional<int> index,
                                                      std::string_view text,
                                                      const std::string& source);
// The profile's record takes the macro blocks it is written with (see stage_profile_edit).
Status write_profile_text_import(const DataFolder& folder, ProfileTextImport& import);

}  // namespace p330
