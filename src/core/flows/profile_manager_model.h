#pragma once
// The profile manager's list: up to six named profiles kept in the "Profile" section of the
// main INI, how new entries and copies are named, and which entry is current. Profile files
// stay tied to list positions: only a copy writes them, into the new entry's position.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/profile_list.h"
#include "core/lang/language.h"
#include "core/result.h"

namespace p330 {

class FileTransaction;

class ProfileManagerModel {
  public:
    // Fills the list from the main INI; a missing file or a count outside 1..6 gives an empty
    // list. The current entry is the one whose name is CurProfileName, the last of several.
    static Result<ProfileManagerModel> load(const std::filesystem::path& main_ini);

    const std::vector<std::string>& names() const { return names_; }
    int selected() const { return selected_; }
    void select(int index);

    // New: "PROFILE_0" on an empty list, otherwise named from the last entry. Refused with
    // the language's "Profile numbers up to 6." when six entries exist.
    Status add_new(Language language);
    // A copy named with the language's "Copy", a blank and the entry's name, added at the
    // end; false (silently) with six entries. The entry's image and labels are read now and
    // written to the new position with the list, in the same change; an image that cannot
    // be read refuses the copy.
    Result<bool> copy(int index, Language language);
    bool remove(int index);
    // Refused with a message: a name that is not valid UTF-8, holds a control character or
    // starts or ends with a blank (see name_rules.h).
    Status rename(int index, std::string_view name);

    // What closing the manager writes: the "Profile" section anew, the selected entry (or
    // entry 0) as current, and the files of copies still on the list. Nothing is written when the
    // main INI does not exist, nor when another program changed the section since load read it
    // (refused in the language's words). The caller holds the data folder's lock.
    Status save(Language language) const;
    // The same under the folder's lock, for a face that holds none while it edits (the window).
    Status save_in_turn(Language language) const;
    // The same, as one file of a larger change.
    Status stage(FileTransaction& change, Language language) const;
    const std::filesystem::path& path() const { return path_; }

  private:
    struct CopiedFiles {
        int to;
        std::string image, labels;
    };

    std::filesystem::path path_;
    std::vector<CopiedFiles> copies_;  // in the order made: a later one to a position wins
    ProfileList loaded_;               // the section as load read it
    std::vector<std::string> names_;
    int selected_ = -1;
};

// The name New gives after names (the "PROFILE" base, numbered from the last entry).
std::string next_profile_name(const std::vector<std::string>& names);

}  // namespace p330
