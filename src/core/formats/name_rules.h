#pragma once
// What a name the user gives (a profile's, a macro's) may be, as every file holding it needs:
// valid UTF-8, no control character, no invisible direction or zero-width character, no blank
// at either end. A name breaking a rule is
// refused with a message, never changed quietly.

#include <string_view>

#include "core/result.h"

namespace p330 {

// `what` starts the message: "a profile name", "a macro name". An empty name is refused too:
// the profile list finds its current entry by a prefix of its name, which "" gives every one.
Status validate_name_text(std::string_view name, std::string_view what);

}  // namespace p330
