// macros and macro ...: record.ini through the macro manager's model.

#include <algorithm>

#include "cli/command_handlers.h"
#include "cli/json_writer.h"
#include "cli/profile_edit.h"
#include "core/flows/macro_sync.h"
#include "core/flows/macro_sync_profiles.h"
#include "core/formats/file_transaction.h"
#include "core/formats/ini_document.h"
#include "core/formats/settings_text.h"
#include "core/lang/dialog_texts.h"
#include "core/macro/macro_manager_model.h"
#include "core/util/file_io.h"
#include "core/util/hex.h"
#include "core/util/parse_int.h"
#include "core/util/quoted_value.h"
#include "core/util/text_encoding.h"

namespace p330::cli {
namespace {

using Renames = std::vector<std::pair<std::string, std::string>>;

std::string macro_entry_json(std::size_t n, const std::string& name, const IniDocument& doc,
                             const EncodedMacro* macro) {
    const MacroSection section = read_macro_section(doc, name);
    JsonList entry('{');
    entry.field("number", json_number(n + 1))
        .field("name", json_string(name))
        .field("loop", json_number(section.loop_times))
        .field("items", json_number(section.item_count))
        .field("sent", json_bool(macro != nullptr));
    if (macro) {
        entry.field("pairs", json_number(macro->pairs_used))
            .field("capacity", json_number(kMaxEventPairs))
            .field("cut", json_bool(macro->cut))
            .field("block", json_string(to_hex(macro->block, "")));
    }
    return entry.str();
}

std::string macro_entry_text(std::size_t n, const std::string& name, const IniDocument& doc,
                             const EncodedMacro* macro) {
    const MacroSection section = read_macro_section(doc, name);
    const long long loops = section.loop_times;
    const int items = section.item_count;
    // Padded by the columns the name takes on a terminal, not its bytes: a Chinese character
    // is three bytes and two columns.
    std::string shown = printable(name);
    shown.append(31 - std::min<std::size_t>(31, display_width(shown)), ' ');
    char line[256];
    if (macro == nullptr) {
        std::snprintf(line, sizeof line, "%2zu  %s  not sent: the mouse holds twelve macros\n",
                      n + 1, shown.c_str());
    } else {
        std::snprintf(line, sizeof line, "%2zu  %s  loop %5lld  %3d items  %2d/%d pairs%s\n", n + 1,
                      shown.c_str(), loops, items, macro->pairs_used, kMaxEventPairs,
                      macro->cut ? "  CUT: events past the block were dropped" : "");
    }
    return line;
}

int list_macros(const Context& c) {
    Result<IniDocument> doc = IniDocument::load(c.folder.record_ini());
    if (!doc) return fail(c, kExitBadInput, doc.error().message);
    const EncodedMacros encoded = encode_macro_blocks(*doc);
    const auto names = macro_names(*doc);
    JsonList list('[');
    std::string text;
    for (std::size_t n = 0; n < names.size(); ++n) {
        const EncodedMacro* macro = n < kMacroCount ? &encoded.macros[n] : nullptr;
        list.item(macro_entry_json(n, names[n], *doc, macro));
        text += macro_entry_text(n, names[n], *doc, macro);
    }
    if (c.options.json) {
        std::fprintf(c.out, "%s\n", json_document().field("macros", list.str()).str().c_str());
    } else if (names.empty()) {
        std::fprintf(c.out, "No macros in %s.\n", c.folder.record_ini().c_str());
    } else {
        std::fputs(text.c_str(), c.out);
    }
    return kExitOk;
}

// The model with the macro called name selected; exit code 2 when there is none.
int select_macro(const Context& c, MacroManagerModel& model, const std::string& name) {
    if (Status s = model.load_list(); !s) return fail(c, kExitBadInput, s.message());
    const auto& names = model.names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            if (Status s = model.select(static_cast<int>(i)); !s)
                return fail(c, kExitFailed, s.message());
            return kExitOk;
        }
    }
    return fail(c, kExitUsage, "no macro '" + printable(name) + "' in record.ini");
}

// The selected macro of model (called name), as doc holds it.
int print_macro(const Context& c, const MacroManagerModel& model, const IniDocument& doc,
                const std::string& name) {
    const auto n = static_cast<std::size_t>(model.selected());
    const EncodedMacros encoded = encode_macro_blocks(doc);
    const EncodedMacro* macro = n < kMacroCount ? &encoded.macros[n] : nullptr;
    if (c.options.json) {
        JsonList items('[');
        for (const std::string& item : model.items()) items.item(json_string(item));
        std::fprintf(c.out, "%s\n",
                     json_document()
                         .fields_of(macro_entry_json(n, name, doc, macro))
                         .field("record_delays", json_bool(model.record_delays))
                         .field("item_list", items.str())
                         .str()
                         .c_str());
        return kExitOk;
    }
    std::string out = macro_entry_text(n, name, doc, macro);
    out += std::string("    delays between key commands ") +
           (model.record_delays ? "recorded" : "not recorded (50 ms each)") + "\n";
    for (const std::string& item : model.items()) out += "    " + printable(item) + "\n";
    std::fputs(out.c_str(), c.out);
    return kExitOk;
}

int show_macro(const Context& c, const std::string& name) {
    FileTransaction reading(c.folder.dir);  // never committed: record.ini is read once
    MacroManagerModel model(c.folder.record_ini());
    model.stage_into(&reading);
    if (int code = select_macro(c, model, name); code != kExitOk) return code;
    Result<IniDocument*> doc = reading.ini(model.path());
    if (!doc) return fail(c, kExitBadInput, doc.error().message);
    return print_macro(c, model, **doc, name);
}

// record.ini has changed (in change, not yet on disk): the profile (the active one, or
// --profile N) gets the new macro blocks and its Macro Key buttons follow their macros by
// name, as the window's OK does; then record.ini and the profile are written as one change.
struct ProfileSynced {
    int code = kExitOk;
    int index = 0;
    std::vector<LostMacroButton> lost;
};

ProfileSynced sync_profile(const Context& c, FileTransaction& change, const Renames& renames) {
    ProfileSynced out;
    Result<IniDocument*> file = change.ini(c.folder.record_ini());
    if (!file) {
        out.code = fail(c, kExitBadInput, file.error().message + ": nothing was changed");
        return out;
    }
    Result<ProfileEdit> readable = load_profile_edit(c.folder, c.options.profile, **file);
    if (!readable) {
        out.code = fail(c, kExitBadInput, readable.error().message);
        return out;
    }
    tell_adjusted(c, readable->adjusted);
    Result<MacroChangeFollowed> followed =
        follow_macro_change(change, c.folder, c.options.profile, renames, true);
    Status written = followed ? change.commit() : Status(followed.error());
    if (!written) {
        out.code = fail(c, exit_for_write(written.error()), written.message());
        return out;
    }
    const ProfileEdit& edit = *followed->edited;
    out.index = edit.index;
    out.lost = followed->lost;
    if (!out.lost.empty())
        std::fprintf(c.err, "p330ctl: %s\n",
                     lost_macro_buttons_message(edit.language, out.lost).c_str());
    for (const ProfileMacroLinks& other : followed->others)
        std::fprintf(c.err, "p330ctl: %s\n", lost_macro_buttons_message(other).c_str());
    return out;
}

int report(const Context& c, FileTransaction& change, const std::string& what,
           const std::string& name, const Renames& renames = {}) {
    const ProfileSynced synced = sync_profile(c, change, renames);
    if (synced.code != kExitOk) return synced.code;
    if (c.options.json) {
        JsonList lost('[');
        for (const LostMacroButton& b : synced.lost) lost.item(json_number(b.button + 1));
        std::fprintf(c.out, "%s\n",
                     json_document()
                         .field("action", json_string(what))
                         .field("name", json_string(name))
                         .field("profile", json_number(synced.index))
                         .field("buttons_lost", lost.str())
                         .str()
                         .c_str());
    } else {
        std::fprintf(c.out,
                     "Macro %s: %s.\nProfile %d holds the macros now ('p330ctl apply' sends "
                     "them).\n",
                     printable(name).c_str(), what.c_str(), synced.index);
    }
    return kExitOk;
}

int new_macro(const Context& c, const std::vector<std::string>& args) {
    FileTransaction change(c.folder.dir);
    MacroManagerModel model(c.folder.record_ini());
    model.stage_into(&change);
    if (Status s = model.load_list(); !s) return fail(c, kExitBadInput, s.message());
    if (args.size() > 1) {
        if (Status valid = validate_macro_name(args[1]); !valid)
            return fail(c, kExitUsage, valid.message());
    }
    const Language language = active_language(c);
    Result<std::string> name = model.new_macro(macro_manager_texts(language).new_macro_base);
    if (!name) {
        if (model.names().size() >= kMacroCount)
            return fail(c, kExitUsage, std::string(macro_manager_texts(language).limit_message));
        return fail(c, exit_for_write(name.error()), name.error().message);
    }
    if (args.size() > 1) {
        // Nothing is written until the whole change stands.
        if (Status s = model.rename(args[1]); !s) return fail(c, kExitUsage, s.message());
        return report(c, change, "created", args[1]);
    }
    return report(c, change, "created", *name);
}

int import_items(const Context& c, const std::string& name, const std::string& file) {
    std::string text;
    if (file == "-") {
        text = c.standard_input.value_or("");  // held to the limit of an items file
    } else {
        Result<std::vector<std::uint8_t>> bytes = read_file(file, kMaxItemsFileSize);
        if (!bytes) return fail(c, kExitBadInput, bytes.error().message);
        text.assign(bytes->begin(), bytes->end());
    }
    // The same text rules as import-text: a UTF-8 mark is no item, bytes that are not UTF-8
    // are refused with their line.
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    if (Status utf8 = check_utf8_text(text, file); !utf8)
        return fail(c, kExitBadInput, utf8.message());
    std::vector<std::string> items;
    std::size_t line_number = 0;
    for (std::size_t at = 0; at < text.size();) {
        auto end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        ++line_number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::optional<std::string> item = macro_item_from_text(line);
        if (!item) {
            return fail(c, kExitUsage,
                        file + ":" + std::to_string(line_number) + ": '" + printable(line) +
                            "' is not 'KEY   Dn', 'KEY   Up' (key names of the key table, any "
                            "case, blanks or tabs between) or 'N ms'");
        }
        items.push_back(*item);
    }
    if (items.empty()) return fail(c, kExitUsage, file + " holds no items");
    FileTransaction change(c.folder.dir);
    MacroManagerModel model(c.folder.record_ini());
    model.stage_into(&change);
    if (int code = select_macro(c, model, name); code != kExitOk) return code;
    model.items() = items;
    // Items that carry their delays are played with them, as a recording with delays is.
    model.record_delays = std::any_of(
        items.begin(), items.end(), [](const std::string& item) { return item.ends_with(" ms"); });
    if (Status s = model.save_macro(); !s) return fail(c, kExitUsage, s.message());
    if (const ProfileSynced synced = sync_profile(c, change, {}); synced.code != kExitOk)
        return synced.code;
    Result<IniDocument*> written = change.ini(model.path());  // as it now is on disk
    if (!written) return fail(c, kExitFailed, written.error().message);
    return print_macro(c, model, **written, name);
}

}  // namespace

int cmd_macros(const Context& c) {
    return list_macros(c);
}

int cmd_macro(const Context& c) {
    const auto& args = c.options.arguments;
    const std::string& sub = args[0];
    auto arguments = [&](std::size_t n) { return args.size() == n + 1; };
    if (sub == "list" && arguments(0)) return list_macros(c);
    if (sub == "show" && arguments(1)) return show_macro(c, args[1]);
    if (sub == "new" && args.size() <= 2) return new_macro(c, args);
    if (sub == "import-items" && arguments(2)) return import_items(c, args[1], args[2]);
    FileTransaction change(c.folder.dir);
    MacroManagerModel model(c.folder.record_ini());
    model.stage_into(&change);
    if (sub == "rename" && arguments(2)) {
        if (int code = select_macro(c, model, args[1]); code != kExitOk) return code;
        if (Status s = model.rename(args[2]); !s) return fail(c, kExitUsage, s.message());
        return report(c, change, "renamed from " + args[1], args[2], model.renames());
    }
    if (sub == "delete" && arguments(1)) {
        if (int code = select_macro(c, model, args[1]); code != kExitOk) return code;
        if (Status s = model.delete_macro(); !s)
            return fail(c, exit_for_write(s.error()), s.message());
        return report(c, change, "deleted", args[1]);
    }
    if (sub == "set-loop" && arguments(2)) {
        const std::optional<long long> count = parse_decimal(args[2]);
        if (!count || !valid_macro_loop_times(*count))
            return fail(
                c, kExitUsage,
                "the loop count is a number from 1 to " + std::to_string(kMaxMacroLoopTimes));
        if (int code = select_macro(c, model, args[1]); code != kExitOk) return code;
        model.loop_option = *count > 1;
        Result<std::string> shown = model.set_loop_times(args[2]);
        if (!shown) return fail(c, exit_for_write(shown.error()), shown.error().message);
        return report(c, change, "loops " + *shown + " times", args[1]);
    }
    return fail(c, kExitUsage,
                "'macro " + sub + "' with " + std::to_string(args.size() - 1) +
                    " argument(s) is not a macro command (see 'p330ctl help macro')");
}

}  // namespace p330::cli
