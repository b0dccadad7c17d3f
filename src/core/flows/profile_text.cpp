#include "core/flows/profile_text.h"

#include <algorithm>

#include "core/flows/macro_sync.h"
#include "core/flows/profile_edit.h"
#include "core/formats/file_transaction.h"
#include "core/formats/macro_file.h"
#include "core/formats/settings_json.h"
#include "core/formats/settings_text.h"
#include "core/macro/macro_manager_model.h"
#include "core/util/quoted_value.h"

namespace p330 {

Result<std::string> export_profile_text(const DataFolder& folder, std::optional<int> index,
                                        std::string* adjusted) {
    Result<ProfileEdit> edit = load_profile_edit(folder, index);
    if (!edit) return edit.error();
    if (adjusted != nullptr) *adjusted = edit->adjusted;
    Result<IniDocument> record = IniDocument::load(folder.record_ini());
    if (!record) return record.error();
    SettingsText text;
    if (!edit->name.empty())
        text.settings.push_back(TextSetting{0, std::string(kProfileNameKey), edit->name});
    for (const SettingEntry& entry : settings_catalogue())
        text.settings.push_back(TextSetting{0, entry.key, entry.read(*edit).text});
    // Every macro the mouse holds, in its numbering: the image carries all their blocks.
    for (const std::string& name : edit->macro_names) {
        MacroSection m = read_macro_section(*record, name);
        text.macros.push_back(TextMacro{0, name, m.loop_times, m.record_delays, m.items});
    }
    return write_settings_text(text);
}

namespace {

class ImportPlanner {
  public:
    ImportPlanner(const DataFolder& folder, std::string source)
        : folder_(folder), source_(std::move(source)) {}

    Result<ProfileTextImport> run(const SettingsText& text, ProfileTextImport out) {
        out_ = std::move(out);
        macros_ = &text.macros;
        take_macros(text.macros);
        if (faults_.empty() && !text.macros.empty())
            note_cut_macros(sync_macros_into_profile(out_.edit, out_.record_ini, {},
                                                     shipped_default_record(folder_))
                                .encoded);
        for (const TextSetting* s : in_writing_order(text.settings)) take_setting(*s);
        if (faults_.empty()) return std::move(out_);
        std::stable_sort(faults_.begin(), faults_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        constexpr std::size_t kNamed = 20;  // a file of something else has a fault a line
        std::string message;
        for (std::size_t i = 0; i < faults_.size() && i < kNamed; ++i)
            message += (i ? "\n" : "") + at(faults_[i].first) + faults_[i].second;
        if (faults_.size() > kNamed)
            message += "\nand " + std::to_string(faults_.size() - kNamed) + " more faults";
        return Error{ErrorCode::kInvalidArgument, message};
    }

  private:
    std::string at(int line) const { return source_ + ":" + std::to_string(line) + ": "; }

    void take_macros(const std::vector<TextMacro>& macros) {
        IniDocument& doc = out_.record_ini;
        for (const TextMacro& m : macros) {
            if (!doc.has_section(m.name)) {
                out_.macros_created.push_back(m.name);
            } else if (const MacroSection was = read_macro_section(doc, m.name);
                       was.items != m.items || was.loop_times != m.loop_times ||
                       was.record_delays != m.record_delays) {
                out_.macros_updated.push_back(m.name);
            }
            write_macro_section(doc, m.name, m.record_delays ? 1 : 0, std::to_string(m.loop_times),
                                m.items);
        }
        const std::vector<std::string> names = macro_names(doc);
        for (const TextMacro& m : macros) {
            if (position_of(names, m.name) >= kChoosableMacros)
                faults_.emplace_back(m.line, "macro '" + m.name +
                                                 "' would be past the twelfth of record.ini, "
                                                 "where the mouse cannot play it");
        }
    }

    static std::ptrdiff_t position_of(const std::vector<std::string>& names,
                                      const std::string& name) {
        return std::find_if(names.begin(), names.end(),
                            [&](const auto& n) { return ini_names_equal(n, name); }) -
               names.begin();
    }

    // A macro longer than its block is stored cut, as the mouse will play it: said as the
    // values stored rounded are.
    void note_cut_macros(const EncodedMacros& encoded) {
        const std::vector<std::string> names = macro_names(out_.record_ini);
        for (const TextMacro& m : *macros_) {
            const std::ptrdiff_t position = position_of(names, m.name);
            if (position >= kMacroCount) continue;
            const EncodedMacro& e = encoded.macros[static_cast<std::size_t>(position)];
            if (!e.cut) continue;
            out_.notes.push_back(at(m.line) + "macro " + quoted_value(m.name) +
                                 " is stored CUT to the " + std::to_string(kMaxEventPairs) +
                                 " event pairs of its block: its last " +
                                 std::to_string(e.events_dropped) + " of " +
                                 std::to_string(e.events_total) + " key events were dropped");
        }
    }

    // For a refused button naming a macro of this text: where its section is.
    std::string section_of_named_macro(std::string_view value) const {
        constexpr std::string_view kMacro = "macro:";
        if (!value.starts_with(kMacro)) return {};
        const std::string_view name = value.substr(kMacro.size());
        const std::string_view before_mode = name.substr(0, name.rfind('@'));
        for (const TextMacro& m : *macros_) {
            if (ini_names_equal(m.name, name) || ini_names_equal(m.name, before_mode))
                return " (its section is at " + source_ + ":" + std::to_string(m.line) + ")";
        }
        return {};
    }

    static std::vector<const TextSetting*> in_writing_order(const std::vector<TextSetting>& all) {
        auto rank = [](const TextSetting* s) { return writing_rank(s->key, s->value); };
        std::vector<const TextSetting*> order;
        order.reserve(all.size());
        for (const TextSetting& s : all) order.push_back(&s);
        std::stable_sort(order.begin(), order.end(),
                         [&](const auto* a, const auto* b) { return rank(a) < rank(b); });
        return order;
    }

    void take_setting(const TextSetting& s) {
        if (s.key == kProfileNameKey) return take_name(s);
        const SettingEntry* entry = find_setting(s.key);
        if (entry == nullptr) {
            faults_.emplace_back(
                s.line, "unknown key " + quoted_value(s.key) + " (see 'p330ctl help set')");
            return;
        }
        Result<std::string> note = entry->write(out_.edit, s.value);
        if (!note) {
            faults_.emplace_back(s.line, note.error().message + section_of_named_macro(s.value));
        } else if (!note->empty()) {
            out_.notes.push_back(at(s.line) + *note);
        }
    }

    // The current profile is the last entry named CurProfileName, so a name another entry
    // holds would move it: such a name is kept out and the import goes on.
    void take_name(const TextSetting& s) {
        const int index = out_.edit.index;
        if (s.value == out_.edit.name) return;
        if (s.value.empty()) {
            out_.notes.push_back(at(s.line) + "the name is empty: the profile keeps its name");
            return;
        }
        Result<ProfileManagerModel> list = ProfileManagerModel::load(folder_.main_ini());
        if (!list) {
            faults_.emplace_back(s.line, list.error().message);
            return;
        }
        const std::vector<std::string>& names = list->names();
        if (static_cast<std::size_t>(index) >= names.size()) {
            out_.notes.push_back(at(s.line) + "profile " + std::to_string(index) +
                                 " is not on the profile list: its name is not written");
        } else if (const auto held = std::find(names.begin(), names.end(), s.value);
                   held != names.end()) {
            out_.notes.push_back(at(s.line) + "profile " + std::to_string(held - names.begin()) +
                                 " is already named " + quoted_value(s.value) + ": profile " +
                                 std::to_string(index) +
                                 " keeps its name, so that the current profile stays the same");
        } else if (Status renamed = list->rename(index, s.value); !renamed) {
            faults_.emplace_back(s.line, renamed.message());
        } else {
            out_.edit.name = s.value;
            out_.renamed = std::move(*list);
        }
    }

    const DataFolder& folder_;
    std::string source_;
    const std::vector<TextMacro>* macros_ = nullptr;
    ProfileTextImport out_;
    std::vector<std::pair<int, std::string>> faults_;
};

}  // namespace

Result<ProfileTextImport> prepare_profile_text_import(const DataFolder& folder,
                                                      std::optional<int> index,
                                                      std::string_view text,
                                                      const std::string& source) {
    Result<SettingsText> parsed = looks_like_json(text) ? parse_settings_json(text, source)
                                                        : parse_settings_text(text, source);
    if (!parsed) return parsed.error();
    Result<ProfileEdit> edit = load_profile_edit(folder, index);
    if (!edit) return edit.error();
    Result<IniDocument> record = IniDocument::load(folder.record_ini());
    if (!record) return record.error();
    ProfileTextImport plan;
    plan.edit = std::move(*edit);
    plan.record_ini = std::move(*record);
    return ImportPlanner(folder, source).run(*parsed, std::move(plan));
}

// One change: a kill part-way leaves the macros, the name, the labels and the image all
// old or all new.
Status write_profile_text_import(const DataFolder& folder, ProfileTextImport& import) {
    FileTransaction change(folder.dir);
    if (!import.macros_created.empty() || !import.macros_updated.empty()) {
        if (Status s = change.stage_ini(folder.record_ini(), import.record_ini); !s) return s;
    }
    if (import.renamed) {
        if (Status s = import.renamed->stage(change, Language::kEnglish); !s) return s;
    }
    if (Status s = stage_profile_edit(change, folder, import.edit); !s) return s;
    return change.commit();
}

}  // namespace p330
