#pragma once
// The user's private runtime folder, for the single-instance lock and the channel a second
// start speaks to. Never a name in a shared folder that another user could make first or
// point elsewhere.

#include <string>

#include "core/result.h"

namespace p330 {

// $XDG_RUNTIME_DIR when it is a folder of this user closed to others; otherwise
// TMPDIR (or /tmp)/p330-runtime-UID, made 0700 when missing and refused when it is a
// symbolic link, belongs to someone else or lets others in.
Result<std::string> private_runtime_folder();

// The check applied to either: a real folder (no symbolic link), owned by this user, mode
// without group or other bits.
Status check_private_folder(const std::string& path);

}  // namespace p330
