#pragma once
// The failures a user of the window can act on, worded in the profile's language: another
// program holding the data folder or the mouse. Every other error keeps its own message; the
// command-line tool prints the errors' own messages.

#include <string>

#include "core/lang/language.h"
#include "core/result.h"

namespace p330 {

std::string error_text(const Error& error, Language language);

}  // namespace p330
