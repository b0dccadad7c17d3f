#pragma once
// What a name the user gives (a profile's, a macro's) may be, as every file holding it needs:
// valid UTF-8, no control character, no invisible character (direction marks, zero-width and
// other default-ignorable characters), no blank at either end and no unusual blank inside. The
// characters are told by their Unicode properties (ICU), not by lists. A name breaking a rule
// is refused with a message, never changed quietly.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/result.h"

namespace p330 {

// Profile names are as long as macro names at most: 31 characters.
constexpr std::size_t kMaxProfileNameLength = 31;

// `what` starts the message: "a profile name", "a macro name". An empty name is refused too:
// the profile list finds its current entry by a prefix of its name, which "" gives every one.
Status validate_name_text(std::string_view name, std::string_view what);
// The text rules, and 1 to 31 characters.
Status validate_profile_name(std::string_view name);

// The form in which names are compared for uniqueness: NFC, the default-ignorable characters
// removed, so that two names that print alike are one name. Text that is not UTF-8, or that
// ICU cannot normalise, is returned as it is: a name compared as it is equals only itself, so
// a failure never makes two different names one (a macro looked up by name is never another).
std::string comparable_name(std::string_view name);

}  // namespace p330
