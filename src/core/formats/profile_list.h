#pragma once
// The profile list of the main INI (str.ini, section "Profile"): up to six names and which of
// them is current. One rule for the current profile everywhere: the entry whose name equals
// CurProfileName exactly, the last such entry when several do.

#include <filesystem>
#include <string>
#include <vector>

#include "core/result.h"

namespace p330 {

class FileTransaction;
class IniDocument;

constexpr int kMaxProfiles = 6;

struct ProfileList {
    int count = 0;                   // ItemCount as written; outside 1..6 the list is unusable
    std::vector<std::string> names;  // empty unless count is 1..6
    int current = -1;                // no entry names the current profile
    bool usable() const { return count >= 1 && count <= kMaxProfiles; }
    bool operator==(const ProfileList&) const = default;
};

// A missing file is an empty list.
Result<ProfileList> read_profile_list(const std::filesystem::path& main_ini);
// The list a main INI's document holds.
ProfileList profile_list_from(const IniDocument& doc);
// Stages the section anew: CurProfileName (the entry at current, or entry 0), ItemCount and
// the items. Nothing is staged when the main INI does not exist.
Status stage_profile_list(FileTransaction& change, const std::filesystem::path& main_ini,
                          const std::vector<std::string>& names, int current);

}  // namespace p330
