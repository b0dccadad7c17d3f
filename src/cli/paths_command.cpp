#include "cli/paths_command.h"

#include "cli/command_handlers.h"
#include "cli/json_writer.h"
#include "core/formats/data_locations.h"

namespace p330::cli {

namespace {

Result<DataLocations> locate(const Options& options) {
    Result<std::filesystem::path> exe = executable_folder();
    if (!exe) return exe.error();
    return locate_data(options.data_dir, UserEnvironment::from_process(), *exe);
}

}  // namespace

int cmd_paths(const Context& c) {
    const Result<DataLocations> where = locate(c.options);
    if (!where) return fail(c, kExitBadInput, where.error().message);
    if (c.options.json) {
        JsonList skins('[');
        for (const auto& root : where->skin_roots) skins.item(json_string(root.string()));
        std::fprintf(c.out, "%s\n",
                     json_document()
                         .field("user", json_string(where->user_dir.string()))
                         .field("defaults", json_string(where->defaults_dir.string()))
                         .field("skins", skins.str())
                         .field("single_folder", json_bool(where->single_folder))
                         .str()
                         .c_str());
        return kExitOk;
    }
    std::fprintf(c.out, "user files:  %s\n", where->user_dir.c_str());
    std::fprintf(c.out, "defaults:    %s\n", where->defaults_dir.c_str());
    for (std::size_t i = 0; i < where->skin_roots.size(); ++i)
        std::fprintf(c.out, "%s%s\n", i == 0 ? "skins:       " : "             ",
                     where->skin_roots[i].c_str());
    return kExitOk;
}

Result<DataFolder> prepare_data_folder(const Options& options, bool seed, std::FILE* err) {
    const Result<DataLocations> where = locate(options);
    if (!where) return where.error();
    if (seed) {
        const UserEnvironment env = UserEnvironment::from_process();
        auto seeded = seed_user_folder(*where, language_for_locale(env.locale));
        // A --data-dir that is no data folder stops here; the user's folder goes on with
        // what it holds.
        if (!seeded && where->single_folder) return seeded.error();
        if (!seeded) std::fprintf(err, "p330ctl: %s\n", seeded.error().message.c_str());
    }
    return where->folder();
}

}  // namespace p330::cli
