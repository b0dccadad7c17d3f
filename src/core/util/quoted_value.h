#pragma once
// A user's value (a line of an imported file, a name, a key) shown in a message. Read from a
// file, it can hold anything: a control character would move the terminal's cursor, clear
// its screen or forge a line, a NUL cuts the message short, and a byte that is not UTF-8
// shows as nothing or as '?'. Such bytes are written as \xNN, so the user sees what is wrong.

#include <string>
#include <string_view>

namespace p330 {

// Control characters (C0, DEL and the two-byte C1 ones) and bytes that are not UTF-8 as \xNN;
// every other character as it is.
std::string printable(std::string_view text);
// printable(text) between single quotes: how a message names a value it refuses.
std::string quoted_value(std::string_view text);

}  // namespace p330
