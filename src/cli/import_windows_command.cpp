// import-windows: a data folder of the Windows program into the data folder.

#include "cli/command_handlers.h"
#include "cli/json_writer.h"
#include "core/flows/windows_import_check.h"
#include "core/formats/macro_file.h"
#include "core/formats/windows_import.h"
#include "core/macro/macro_encoding.h"
#include "core/util/quoted_value.h"

namespace p330::cli {
namespace {

// Macros longer than the mouse's block are stored cut, as import-text says of its own.
std::vector<std::string> cut_macro_notes(const std::vector<ImportedFile>& files) {
    std::vector<std::string> notes;
    for (const ImportedFile& file : files) {
        if (file.name != "record.ini") continue;
        Result<IniDocument> doc = IniDocument::parse(file.bytes);
        if (!doc) continue;
        const EncodedMacros encoded = encode_macro_blocks(*doc);
        const std::vector<std::string> names = macro_names(*doc);
        for (std::size_t i = 0; i < names.size() && i < encoded.macros.size(); ++i) {
            const EncodedMacro& e = encoded.macros[i];
            if (!e.cut) continue;
            notes.push_back("macro " + quoted_value(names[i]) + " is stored CUT to the " +
                            std::to_string(kMaxEventPairs) +
                            " event pairs of its block: its last " +
                            std::to_string(e.events_dropped) + " of " +
                            std::to_string(e.events_total) + " key events are dropped");
        }
    }
    return notes;
}

}  // namespace

int cmd_import_windows(const Context& c) {
    const std::string& source = c.options.arguments[0];
    Result<std::vector<ImportedFile>> files = read_windows_folder(source);
    if (!files) return fail(c, kExitBadInput, files.error().message + "; nothing was written");
    if (Status s = check_windows_import(*files, source); !s)
        return fail(c, kExitBadInput, s.message() + "; nothing was written");
    if (Status s = write_imported_files(*files, c.folder.dir); !s)
        return fail(c, kExitFailed, s.message());
    JsonList list('[');
    std::string text;
    for (const ImportedFile& file : *files) {
        list.item(JsonList('{')
                      .field("file", json_string(file.name))
                      .field("found_as", json_string(file.found_as))
                      .str());
        text += "Imported " + file.name + " (" + file.found_as + ")\n";
    }
    JsonList notes('[');
    for (const std::string& note : cut_macro_notes(*files)) {
        notes.item(json_string(note));
        text += "  " + note + "\n";
    }
    if (c.options.json)
        std::fprintf(c.out, "%s\n",
                     json_document()
                         .field("imported", list.str())
                         .field("notes", notes.str())
                         .str()
                         .c_str());
    else
        std::fputs(text.c_str(), c.out);
    return kExitOk;
}

}  // namespace p330::cli
