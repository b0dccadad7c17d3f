// profiles and profile ...: the profile list of str.ini through the profile manager's model,
// and import and export of profile files.

#include "cli/command_handlers.h"
#include "cli/json_writer.h"
#include "cli/profile_edit.h"
#include "core/flows/profile_manager_model.h"
#include "core/util/parse_int.h"
#include "core/util/quoted_value.h"

namespace p330::cli {
namespace {

bool file_exists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

int list_profiles(const Context& c, const ProfileManagerModel& model) {
    JsonList list('[');
    std::string text;
    const auto& names = model.names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto image = c.folder.image(static_cast<int>(i));
        const bool current = static_cast<int>(i) == model.selected();
        list.item(JsonList('{')
                      .field("position", json_number(i))
                      .field("name", json_string(names[i]))
                      .field("current", json_bool(current))
                      .field("image", json_string(image.string()))
                      .field("image_exists", json_bool(file_exists(image)))
                      .str());
        text +=
            std::string(current ? "* " : "  ") + std::to_string(i) + "  " + printable(names[i]) +
            (file_exists(image) ? "" : "  (" + image.filename().string() + " is missing)") + "\n";
    }
    if (c.options.json) {
        std::fprintf(c.out, "%s\n",
                     json_document()
                         .field("current", json_number(model.selected()))
                         .field("profiles", list.str())
                         .str()
                         .c_str());
    } else {
        std::fputs(names.empty() ? "No profile list in str.ini.\n" : text.c_str(), c.out);
    }
    return kExitOk;
}

// A position of the list given as N, or a name for 'select'; -1 when it names nothing.
int position_of(const ProfileManagerModel& model, const std::string& text, bool by_name) {
    const auto& names = model.names();
    if (const auto n = parse_decimal(text); n && *n < static_cast<long long>(names.size()))
        return static_cast<int>(*n);
    for (std::size_t i = 0; by_name && i < names.size(); ++i) {
        if (names[i] == text) return static_cast<int>(i);
    }
    return -1;
}

int saved(const Context& c, const ProfileManagerModel& model, const std::string& what) {
    if (Status s = model.save(Language::kEnglish); !s) return fail(c, kExitFailed, s.message());
    if (!c.options.json) std::fprintf(c.out, "%s\n", what.c_str());
    return c.options.json ? list_profiles(c, model) : kExitOk;
}

int export_profile_to(const Context& c, int index, const std::string& file) {
    ProfileEdit e;
    if (int code = load_profile_edit(c, e, index); code != kExitOk) return code;
    ProfileState state;
    state.index = static_cast<std::uint8_t>(index);
    const ExportResult result =
        export_profile(file, c.folder, state, e.record, e.language, e.labels);
    if (result.refused) return fail(c, exit_for_write(*result.refused), result.refused->message);
    JsonList written('[');
    std::string text;
    for (const auto& path : result.written) {
        written.item(json_string(path.string()));
        text += "Wrote " + path.string() + "\n";
    }
    if (c.options.json)
        std::fprintf(c.out, "%s\n", json_document().field("written", written.str()).str().c_str());
    else
        std::fputs(text.c_str(), c.out);
    for (const UserMessage& m : result.messages) fail(c, kExitFailed, message_line(m));
    return result.messages.empty() ? kExitOk : kExitFailed;
}

int import_profile_from(const Context& c, int index, const std::string& file) {
    if (!names_a_profile_image(file))
        return fail(c, kExitUsage, file + " is not a profile image: its name must end in .bin");
    // The window's "Config file is not exist." box text is not said here: the words name the file.
    if (!file_exists(file)) return fail(c, kExitBadInput, file + " does not exist");
    ProfileEdit e;
    if (int code = load_profile_edit(c, e, index); code != kExitOk) return code;
    ProfileState state;
    state.index = static_cast<std::uint8_t>(index);
    const ImportResult result = import_profile(file, c.folder, state, e.record, e.language);
    if (!result.image_read) {
        return fail(c, kExitBadInput,
                    result.message ? result.message->text + " (" + file + ")"
                                   : file + " is not a 1757-byte profile image");
    }
    if (result.message) {  // a companion INI that cannot be read: nothing is imported
        return fail(c, kExitBadInput,
                    result.message->text + ": nothing was imported (the labels would be lost)");
    }
    tell_adjusted(c, result.adjusted);
    if (result.ini_read) {  // without its INI the profile keeps its labels
        e.labels = result.ini.labels;
        e.labels_changed = true;
    }
    if (int code = save_profile_edit(c, e); code != kExitOk) return code;
    if (c.options.json) {
        std::fprintf(c.out, "%s\n",
                     json_document()
                         .field("profile", json_number(index))
                         .field("imported", json_string(file))
                         .field("labels_imported", json_bool(result.ini_read))
                         .str()
                         .c_str());
    } else {
        std::fprintf(c.out, "Imported %s into profile %d%s.\n", file.c_str(), index,
                     result.ini_read ? " with its labels" : " (no companion .ini: labels kept)");
    }
    return kExitOk;
}

}  // namespace

int cmd_profiles(const Context& c) {
    // No list at all is a folder never filled, as `get` says; an empty list is listed as such.
    if (!file_exists(c.folder.main_ini()))
        return fail(c, kExitBadInput,
                    "the profile list " + c.folder.main_ini().string() + " does not exist");
    Result<ProfileManagerModel> model = ProfileManagerModel::load(c.folder.main_ini());
    if (!model) return fail(c, kExitBadInput, model.error().message);
    return list_profiles(c, *model);
}

int cmd_profile(const Context& c) {
    const auto& args = c.options.arguments;
    const std::string& sub = args[0];
    Result<ProfileManagerModel> loaded = ProfileManagerModel::load(c.folder.main_ini());
    if (!loaded) return fail(c, kExitBadInput, loaded.error().message);
    ProfileManagerModel& model = *loaded;
    const int at = args.size() > 1 ? position_of(model, args[1], sub == "select") : -1;
    const bool needs_position = sub != "new";
    if (needs_position && args.size() > 1 && at < 0)
        return fail(c, kExitUsage, "no profile '" + printable(args[1]) + "' in the list");
    auto arguments = [&](std::size_t n) { return args.size() == n + 1; };
    const std::string name = at >= 0 ? model.names()[static_cast<std::size_t>(at)] : "";

    if (sub == "select" && arguments(1)) {
        model.select(at);
        return saved(c, model, "Current profile: " + printable(name));
    }
    if (sub == "new" && arguments(0)) {
        if (Status s = model.add_new(active_language(c)); !s)
            return fail(c, kExitUsage, s.message());
        const int position = model.selected();
        std::string what = "Added " + model.names().back() + " at position " +
                           std::to_string(position) + "; it is the current profile";
        if (!file_exists(c.folder.image(position)))
            what += " (" + c.folder.image(position).filename().string() + " is missing)";
        return saved(c, model, what);
    }
    if (sub == "rename" && arguments(2)) {
        if (Status s = model.rename(at, args[2]); !s) return fail(c, kExitUsage, s.message());
        return saved(c, model, "Renamed " + printable(name) + " to " + printable(args[2]));
    }
    if (sub == "copy" && arguments(1)) {
        const Result<bool> copied = model.copy(at, active_language(c));
        if (!copied) return fail(c, kExitBadInput, copied.error().message);
        if (!*copied) return fail(c, kExitUsage, "nothing copied: the list holds six profiles");
        const int to = static_cast<int>(model.names().size()) - 1;
        return saved(c, model,
                     "Added " + printable(model.names().back()) + " at position " +
                         std::to_string(to) + " with the settings and labels of " +
                         printable(name) + " (" + c.folder.image(to).filename().string() + ", " +
                         c.folder.ini(to).filename().string() + ")");
    }
    if (sub == "delete" && arguments(1)) {
        if (model.names().size() == 1)
            return fail(c, kExitUsage, "the last profile cannot be deleted: nothing would load");
        model.remove(at);
        return saved(
            c, model,
            "Deleted " + printable(name) + " (files stay with positions: no file was removed)");
    }
    if (sub == "export" && arguments(2)) return export_profile_to(c, at, args[2]);
    if (sub == "import" && arguments(2)) return import_profile_from(c, at, args[2]);
    return fail(c, kExitUsage,
                "'profile " + sub + "' with " + std::to_string(args.size() - 1) +
                    " argument(s) is not a profile command (see 'p330ctl help profile')");
}

}  // namespace p330::cli
