// import-windows: a data folder of the Windows program into the data folder.

#include "cli/command_handlers.h"
#include "cli/json_writer.h"
#include "core/formats/windows_import.h"

namespace p330::cli {

int cmd_import_windows(const Context& c) {
    const std::string& source = c.options.arguments[0];
    Result<std::vector<ImportedFile>> files = read_windows_folder(source);
    if (!files) return fail(c, kExitBadInput, files.error().message + "; nothing was written");
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
    if (c.options.json)
        std::fprintf(c.out, "%s\n", json_document().field("imported", list.str()).str().c_str());
    else
        std::fputs(text.c_str(), c.out);
    return kExitOk;
}

}  // namespace p330::cli
