#pragma once
// The macro manager's working state and its operations on record.ini: the list of macros in
// file order, the selected macro's items and options, and the working copy of the twelve
// blocks that OK hands to the settings record. Every edit goes to record.ini at once.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/formats/file_transaction.h"
#include "core/formats/ini_document.h"
#include "core/formats/macro_file.h"
#include "core/macro/macro_encoding.h"
#include "core/model/settings_record.h"
#include "core/result.h"
#include "core/util/folder_lock.h"

namespace p330 {

class MacroManagerModel {
  public:
    explicit MacroManagerModel(std::filesystem::path record_ini) : path_(std::move(record_ini)) {}

    // Fills the list from record.ini and loads the first macro.
    Status load_list();
    // Selects and loads the macro at index (its options, loop count and items).
    Status select(int index);
    Status save_macro();
    Status delete_macro();
    // Renames the selected macro where it stands in the file.
    Status rename(std::string_view new_name);
    // Appends a new macro named from base ("Macro", or the language's word) and selects it.
    Result<std::string> new_macro(std::string_view base);
    // The loop-times box changed; returns the text the box must show.
    Result<std::string> set_loop_times(std::string_view text);
    // Edits go into change instead of straight to record.ini, to be written together with the
    // profile they change; reads see them.
    void stage_into(FileTransaction* change) { change_ = change; }
    // Rebuilds the working copy from record.ini.
    EncodedMacros encode_blocks();
    // The selected macro as the mouse would get it, from what the manager shows (its room in
    // the block and whether it is cut); all zero without a selection.
    EncodedMacro encode_selected() const;
    // Whether record.ini no longer holds what the manager last read or wrote there: another
    // program changed the list of macros or the selected macro.
    bool changed_elsewhere() const;
    // Whether another program changed the selected macro's section.
    bool selected_changed_elsewhere() const;
    // Takes the list from record.ini again, keeping the selected macro by name, and its items
    // and options when nobody else changed its section; a selected macro that is gone leaves
    // nothing selected.
    Status follow_file();

    // Item list edits of the context menu and the in-place editor; each saves the macro.
    // They return false when the selection does not allow them (nothing changes then).
    Result<bool> insert_mouse_button(char which /* 'L', 'M' or 'R' */, int selected_item);
    Result<bool> insert_delay(int selected_item);
    Result<bool> delete_item(int selected_item);
    Result<bool> commit_delay_edit(int index, std::string_view text);

    const std::vector<std::string>& names() const { return names_; }
    int selected() const { return selected_; }
    std::vector<std::string>& items() { return items_; }
    const std::vector<std::string>& items() const { return items_; }
    const std::string& loop_text() const { return loop_text_; }
    bool record_delays = false;
    bool loop_option = false;
    const std::array<Block, kMacroCount>& working_blocks() const { return blocks_; }
    const std::filesystem::path& path() const { return path_; }
    // The renames done since the list was created, oldest first (old name, new name).
    const std::vector<std::pair<std::string, std::string>>& renames() const { return renames_; }

  private:
    bool file_exists() const;
    Block* working_block();
    // The count the loop text stands for, shown and put in the working block; nothing written.
    long long take_loop_text(std::string_view text);
    // Without a change to stage into (the window), each edit holds the folder's lock itself.
    Result<std::optional<FolderLock>> take_turn() const;
    // The document an edit reads and changes: the change's own when staged into one, else
    // record.ini read afresh into `fresh`, which the edit holds.
    Result<IniDocument*> document(std::optional<IniDocument>& fresh) const;
    Status store_file(const IniDocument& doc) const;
    Status store_and_remember(const IniDocument& doc);
    // The selected macro's section as the manager read or wrote it last: delay status, loop
    // text, then the items.
    std::vector<std::string> section_in(const IniDocument& doc) const;
    // The names in record.ini now, for names that must not meet another program's.
    std::vector<std::string> names_on_disk() const;

    std::filesystem::path path_;
    std::vector<std::string> names_;
    int selected_ = -1;
    std::vector<std::string> items_;
    std::string loop_text_ = "1";
    std::array<Block, kMacroCount> blocks_{};
    std::vector<std::pair<std::string, std::string>> renames_;
    FileTransaction* change_ = nullptr;
    std::vector<std::string> seen_section_;
};

// Writes a macro's section in record.ini where it stands (at the end when it is new), as
// the manager saves it.
void write_macro_section(IniDocument& doc, const std::string& name, int record_delays,
                         const std::string& loop_times, const std::vector<std::string>& items);

// The delay an edited item becomes: digits then " ms", capped at 6553500; nullopt when the
// text is not a delay (it must hold "ms" and otherwise only digits and blanks).
std::optional<std::string> normalise_delay_edit(std::string_view text);

}  // namespace p330
