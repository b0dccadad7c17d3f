#include "cli/profile_edit.h"

namespace p330::cli {

Language active_language(const Context& c) {
    return p330::active_language(c.folder);
}

int load_profile_edit(const Context& c, ProfileEdit& edit) {
    return load_profile_edit(c, edit, c.options.profile);
}

int load_profile_edit(const Context& c, ProfileEdit& edit, std::optional<int> index) {
    Result<ProfileEdit> loaded = p330::load_profile_edit(c.folder, index);
    if (!loaded) return fail(c, kExitBadInput, loaded.error().message);
    edit = std::move(*loaded);
    tell_adjusted(c, edit.adjusted);
    return kExitOk;
}

void tell_adjusted(const Context& c, const std::string& adjusted) {
    if (!adjusted.empty()) std::fprintf(c.err, "p330ctl: %s\n", adjusted.c_str());
}

int save_profile_edit(const Context& c, ProfileEdit& edit) {
    if (Status s = p330::save_profile_edit(c.folder, edit); !s)
        return fail(c, kExitFailed, s.message());
    return kExitOk;
}

}  // namespace p330::cli
