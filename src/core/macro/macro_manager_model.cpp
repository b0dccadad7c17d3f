#include "core/macro/macro_manager_model.h"

#include <algorithm>

#include "core/buttons/key_tables.h"
#include "core/formats/ini_document.h"
#include "core/util/parse_int.h"
#include "core/util/text_encoding.h"
#include "core/util/text_replace.h"

namespace p330 {

// The section is rewritten where it stands: its position is the macro's number, which the
// buttons set to "Macro Key" play.
void write_macro_section(IniDocument& doc, const std::string& name, int record_delays,
                         const std::string& loop_times, const std::vector<std::string>& items) {
    doc.clear_section(name);
    doc.set(name, "DelayTimeSelStatus", std::to_string(record_delays));
    doc.set(name, "MacroLoopTimes", loop_times);
    doc.set(name, "ItemCount", std::to_string(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i)
        doc.set(name, "Item" + std::to_string(i), items[i]);
}

Result<std::optional<FolderLock>> MacroManagerModel::take_turn() const {
    if (change_ != nullptr) return std::optional<FolderLock>();
    Result<FolderLock> lock = FolderLock::acquire(path_.parent_path());
    if (!lock) return lock.error();
    return std::optional<FolderLock>(std::move(*lock));
}

Result<IniDocument*> MacroManagerModel::document(std::optional<IniDocument>& fresh) const {
    if (change_ != nullptr) return change_->ini(path_);
    Result<IniDocument> doc = IniDocument::load(path_);
    if (!doc) return doc.error();
    return &fresh.emplace(std::move(*doc));
}

Status MacroManagerModel::store_file(const IniDocument& doc) const {
    return change_ ? change_->stage_ini(path_, doc) : doc.save(path_);
}

Status MacroManagerModel::store_and_remember(const IniDocument& doc) {
    Status stored = store_file(doc);
    if (stored) seen_section_ = section_in(doc);  // this manager's own change
    return stored;
}

std::vector<std::string> MacroManagerModel::section_in(const IniDocument& doc) const {
    if (selected_ < 0 || static_cast<std::size_t>(selected_) >= names_.size()) return {};
    const std::string& name = names_[static_cast<std::size_t>(selected_)];
    if (!doc.has_section(name)) return {};  // a new macro not written yet, or one deleted
    MacroSection macro = read_macro_section(doc, name);
    std::vector<std::string> section = {macro.delay_status, macro.loop_text};
    section.insert(section.end(), macro.items.begin(), macro.items.end());
    return section;
}

std::vector<std::string> MacroManagerModel::names_on_disk() const {
    std::optional<IniDocument> fresh;
    Result<IniDocument*> doc = document(fresh);
    return doc ? macro_names(**doc) : std::vector<std::string>{};
}

bool MacroManagerModel::changed_elsewhere() const {
    std::optional<IniDocument> fresh;
    Result<IniDocument*> doc = document(fresh);
    return doc && (macro_names(**doc) != names_ || section_in(**doc) != seen_section_);
}

bool MacroManagerModel::selected_changed_elsewhere() const {
    std::optional<IniDocument> fresh;
    Result<IniDocument*> doc = document(fresh);
    return doc && section_in(**doc) != seen_section_;
}

Status MacroManagerModel::follow_file() {
    std::optional<IniDocument> fresh;
    Result<IniDocument*> doc = document(fresh);
    if (!doc) return doc.error();
    const bool theirs = section_in(**doc) != seen_section_;
    const std::string name = selected_ >= 0 ? names_[static_cast<std::size_t>(selected_)] : "";
    names_ = macro_names(**doc);
    selected_ = -1;
    for (std::size_t i = 0; i < names_.size() && !name.empty(); ++i) {
        if (ini_names_equal(names_[i], name)) selected_ = static_cast<int>(i);
    }
    if (selected_ < 0) items_.clear();
    if (selected_ >= 0 && theirs) return select(selected_);
    seen_section_ = section_in(**doc);
    return Status::ok();
}

bool MacroManagerModel::file_exists() const {
    std::error_code ec;
    return std::filesystem::exists(path_, ec);
}

Block* MacroManagerModel::working_block() {
    if (selected_ < 0 || selected_ >= kMacroCount) return nullptr;
    return &blocks_[static_cast<std::size_t>(selected_)];
}

Status MacroManagerModel::load_list() {
    names_.clear();
    items_.clear();
    selected_ = -1;
    std::optional<IniDocument> fresh;
    Result<IniDocument*> doc = document(fresh);
    if (!doc) return doc.error();
    names_ = macro_names(**doc);
    seen_section_.clear();
    if (names_.empty()) return Status::ok();
    return select(0);
}

Status MacroManagerModel::select(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size()) {
        return Error{ErrorCode::kInvalidArgument, "no macro at that position"};
    }
    std::optional<IniDocument> fresh;
    Result<IniDocument*> doc = document(fresh);
    if (!doc) return doc.error();
    selected_ = index;
    seen_section_ = section_in(**doc);
    MacroSection macro = read_macro_section(**doc, names_[static_cast<std::size_t>(index)]);
    // Anything but a plain 1 or 0 leaves the check box as it was.
    if (macro.delay_status == "1") record_delays = true;
    if (macro.delay_status == "0") record_delays = false;
    items_ = std::move(macro.items);
    // Loading shows the stored count and writes nothing: a read never changes the file.
    loop_option = macro.loop_times > 1;
    (void)take_loop_text(macro.loop_text);
    return Status::ok();
}

Status MacroManagerModel::save_macro() {
    if (!file_exists() || names_.empty() || selected_ < 0) return Status::ok();
    if (items_.empty()) {
        if (Block* block = working_block()) block->fill(0);
        return Status::ok();
    }
    if (items_.size() > static_cast<std::size_t>(kMaxMacroItemsRead)) {
        return Error{ErrorCode::kInvalidArgument,
                     "a macro holds at most " + std::to_string(kMaxMacroItemsRead) +
                         " items, the most the program reads back; this one has " +
                         std::to_string(items_.size())};
    }
    Result<std::optional<FolderLock>> turn = take_turn();
    if (!turn) return turn.error();
    std::optional<IniDocument> fresh;
    Result<IniDocument*> doc = document(fresh);
    if (!doc) return doc.error();
    write_macro_section(**doc, names_[static_cast<std::size_t>(selected_)], record_delays ? 1 : 0,
                        loop_text_, items_);
    return store_and_remember(**doc);
}

Status MacroManagerModel::delete_macro() {
    if (selected_ < 0) return Status::ok();
    const std::string name = names_[static_cast<std::size_t>(selected_)];
    names_.erase(names_.begin() + selected_);
    items_.clear();
    selected_ = -1;
    if (!file_exists()) return Status::ok();
    Result<std::optional<FolderLock>> turn = take_turn();
    if (!turn) return turn.error();
    std::optional<IniDocument> fresh;
    Result<IniDocument*> doc = document(fresh);
    if (!doc) return doc.error();
    (*doc)->remove_section(name);
    return store_and_remember(**doc);
}

Status MacroManagerModel::rename(std::string_view new_name) {
    if (selected_ < 0) return Status::ok();
    if (Status valid = validate_macro_name(new_name); !valid) return valid;
    const std::string& old_name = names_[static_cast<std::size_t>(selected_)];
    std::vector<std::string> others = names_on_disk();  // another program's too
    others.insert(others.end(), names_.begin(), names_.end());
    for (const std::string& other : others) {
        if (!ini_names_equal(other, old_name) && macro_names_equal(other, new_name)) {
            return Error{ErrorCode::kInvalidArgument, "another macro already has that name"};
        }
    }
    Result<std::optional<FolderLock>> turn = take_turn();
    if (!turn) return turn.error();
    std::optional<IniDocument> fresh;
    Result<IniDocument*> doc = document(fresh);
    if (!doc) return doc.error();
    std::string& name = names_[static_cast<std::size_t>(selected_)];
    renames_.emplace_back(name, std::string(new_name));
    if (!(*doc)->rename_section(name, new_name)) (*doc)->clear_section(new_name);
    name = std::string(new_name);
    // Written even without items, so that an empty macro keeps its section under the new name.
    write_macro_section(**doc, name, record_delays ? 1 : 0, loop_text_, items_);
    return store_and_remember(**doc);
}

Result<std::string> MacroManagerModel::new_macro(std::string_view base) {
    const std::size_t n = names_.size();
    // A macro another program added since the list was read is never written over.
    const std::vector<std::string> on_disk = names_on_disk();
    if (std::max(n, on_disk.size()) >= static_cast<std::size_t>(kMacroCount)) {
        return Error{ErrorCode::kInvalidArgument, "Macro numbers up to 12."};
    }
    long long number = static_cast<long long>(n);
    if (n > 0) {
        const std::string& last = names_.back();
        const auto underscore = last.find('_');
        if (underscore != std::string::npos)
            number = parse_leading_integer(last.substr(underscore + 1)) + 1;
    }
    auto taken = [&](const std::string& candidate) {
        auto same = [&](const std::string& existing) {
            return ini_names_equal(existing, candidate);
        };
        return std::any_of(names_.begin(), names_.end(), same) ||
               std::any_of(on_disk.begin(), on_disk.end(), same);
    };
    std::string name = std::string(base) + "_" + std::to_string(number);
    while (taken(name))
        name = std::string(base) + "_" + std::to_string(++number);  // never share a section

    names_.push_back(name);
    selected_ = static_cast<int>(names_.size()) - 1;
    items_.clear();
    seen_section_.clear();  // not in the file yet
    Result<std::string> shown = set_loop_times("1");
    if (!shown) return shown.error();
    return name;
}

long long MacroManagerModel::take_loop_text(std::string_view text) {
    long long v = parse_leading_integer(text);
    const bool digits_first = !text.empty() && text.front() >= '0' && text.front() <= '9';
    if (!digits_first) v = 0;
    if (!valid_macro_loop_times(v)) {
        loop_text_ = "1";
        v = 1;
    } else {
        loop_text_ = std::string(text);
    }
    if (!loop_option) v = 1;
    if (Block* block = working_block()) {
        (*block)[0] = static_cast<std::uint8_t>(v >> 8);
        (*block)[1] = static_cast<std::uint8_t>(v & 0xFF);
    }
    return v;
}

Result<std::string> MacroManagerModel::set_loop_times(std::string_view text) {
    const long long v = take_loop_text(text);
    if (selected_ < 0) return loop_text_;
    Result<std::optional<FolderLock>> turn = take_turn();
    if (!turn) return turn.error();
    std::optional<IniDocument> fresh;
    Result<IniDocument*> doc = document(fresh);
    if (!doc) return doc.error();
    // One key of the section: another program's change to the rest is still to be followed.
    const bool theirs = section_in(**doc) != seen_section_;
    (*doc)->set(names_[static_cast<std::size_t>(selected_)], "MacroLoopTimes", std::to_string(v));
    if (Status s = theirs ? store_file(**doc) : store_and_remember(**doc); !s) return s.error();
    return loop_text_;
}

EncodedMacro MacroManagerModel::encode_selected() const {
    if (selected_ < 0 || static_cast<std::size_t>(selected_) >= names_.size()) return {};
    const std::string& name = names_[static_cast<std::size_t>(selected_)];
    IniDocument shown;
    write_macro_section(shown, name, record_delays ? 1 : 0, loop_text_, items_);
    return encode_macro(shown, name);
}

EncodedMacros MacroManagerModel::encode_blocks() {
    EncodedMacros out;
    if (!file_exists() || names_.empty()) {
        out.blocks = blocks_;
        return out;
    }
    std::optional<IniDocument> fresh;
    Result<IniDocument*> doc = document(fresh);
    if (!doc) {
        out.blocks = blocks_;
        return out;
    }
    out = encode_macro_blocks(**doc);
    blocks_ = out.blocks;
    return out;
}

Result<bool> MacroManagerModel::insert_mouse_button(char which, int selected_item) {
    const char* name = which == 'L' ? "L-Button" : which == 'M' ? "M-Button" : "R-Button";
    const std::string down = std::string(name) + std::string(kPressMarker);
    const std::string up = std::string(name) + std::string(kReleaseMarker);
    int at = 0;
    if (selected_item >= 0 && static_cast<std::size_t>(selected_item) < items_.size()) {
        at = selected_item + 1;
    } else if (!items_.empty()) {
        return false;
    }
    items_.insert(items_.begin() + at, {down, up});
    if (Status s = save_macro(); !s) return s.error();
    return true;
}

Result<bool> MacroManagerModel::insert_delay(int i) {
    if (i < 1 || static_cast<std::size_t>(i) >= items_.size()) return false;
    if (items_[static_cast<std::size_t>(i)].find("ms") != std::string::npos ||
        items_[static_cast<std::size_t>(i - 1)].find("ms") != std::string::npos) {
        return false;
    }
    items_.insert(items_.begin() + i, "50 ms");
    if (Status s = save_macro(); !s) return s.error();
    return true;
}

Result<bool> MacroManagerModel::delete_item(int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= items_.size()) return false;
    items_.erase(items_.begin() + i);
    if (Status s = save_macro(); !s) return s.error();
    return true;
}

std::optional<std::string> normalise_delay_edit(std::string_view text) {
    if (text.find("ms") == std::string_view::npos) return std::nullopt;
    const std::string digits = replace_all(replace_all(std::string(text), " ", ""), "ms", "");
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    std::string result(text);
    if (parse_leading_integer(digits) > kMaxDelayMs) result = "6553500ms";
    return replace_all(result, "ms", " ms");
}

Result<bool> MacroManagerModel::commit_delay_edit(int index, std::string_view text) {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return false;
    std::optional<std::string> delay = normalise_delay_edit(text);
    if (!delay) return false;
    items_[static_cast<std::size_t>(index)] = *delay;
    if (Status s = save_macro(); !s) return s.error();
    return true;
}

}  // namespace p330
