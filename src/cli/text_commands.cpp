// export-text and import-text: a whole profile as the settings text, and back.

#include "cli/command_handlers.h"
#include "cli/device_session.h"
#include "cli/json_writer.h"
#include "cli/profile_edit.h"
#include "core/flows/export_target.h"
#include "core/flows/profile_text.h"
#include "core/util/file_io.h"
#include "core/util/quoted_value.h"

namespace p330::cli {
namespace {

std::string joined_json(const std::vector<std::string>& names) {
    JsonList list('[');
    for (const std::string& name : names) list.item(json_string(name));
    return list.str();
}

}  // namespace

int cmd_export_text(const Context& c) {
    std::string adjusted;
    Result<std::string> text = export_profile_text(c.folder, c.options.profile, &adjusted);
    if (!text) return fail(c, kExitBadInput, text.error().message);
    tell_adjusted(c, adjusted);
    if (c.options.arguments.empty() || c.options.arguments[0] == "-") {
        // The text is the output; a JSON document of the settings is what get --json prints.
        if (c.options.json)
            return fail(c, kExitUsage,
                        "export-text prints the settings text, not JSON: use get --json, or "
                        "name a FILE to get a JSON report of the write");
        std::fputs(text->c_str(), c.out);
        return kExitOk;
    }
    const std::string& file = c.options.arguments[0];
    if (Status s = check_export_target(c.folder, file); !s)
        return fail(c, exit_for_write(s.error()),
                    s.message() +
                        ": nothing was written; choose another name, or use - for "
                        "standard output");
    if (Status s = write_file_atomically(file, *text); !s)
        return fail(c, exit_for_write(s.error()), s.message());
    if (c.options.json)
        std::fprintf(c.out, "%s\n",
                     json_document().field("written", json_string(file)).str().c_str());
    return kExitOk;
}

int cmd_import_text(const Context& c) {
    const std::string& file = c.options.arguments[0];
    std::string text;
    if (file == "-") {
        text = c.standard_input.value_or("");
    } else {
        Result<std::vector<std::uint8_t>> bytes = read_file(file, kMaxProfileTextSize);
        if (!bytes) return fail(c, kExitBadInput, bytes.error().message);
        text.assign(bytes->begin(), bytes->end());
    }
    Result<ProfileTextImport> import = prepare_profile_text_import(
        c.folder, c.options.profile, text, file == "-" ? "stdin" : file);
    if (!import) {
        const ErrorCode code = import.error().code;
        return fail(c, code == ErrorCode::kInvalidArgument ? kExitUsage : kExitBadInput,
                    import.error().message);
    }
    tell_adjusted(c, import->edit.adjusted);
    if (Status s = write_profile_text_import(c.folder, *import); !s)
        return fail(c, exit_for_write(s.error()), s.message());

    const ProfileEdit& e = import->edit;
    JsonList doc = json_document();
    doc.field("profile", json_number(e.index))
        .field("name", json_string(e.name))
        .field("macros_created", joined_json(import->macros_created))
        .field("macros_updated", joined_json(import->macros_updated))
        .field("notes", joined_json(import->notes));
    std::string out = "Profile " + std::to_string(e.index) +
                      (e.name.empty() ? std::string() : " (" + printable(e.name) + ")") +
                      " holds the settings of " + printable(file) + ".\n";
    for (const std::string& name : import->macros_created)
        out += "  macro " + printable(name) + " created\n";
    for (const std::string& name : import->macros_updated)
        out += "  macro " + printable(name) + " updated\n";
    for (const std::string& note : import->notes) out += "  " + printable(note) + "\n";
    const int code = apply_if_asked(c, e.record, c.folder.image(e.index).string(), doc, out);
    std::fprintf(c.out, "%s", c.options.json ? (doc.str() + "\n").c_str() : out.c_str());
    return code;
}

}  // namespace p330::cli
