#pragma once
// Runs one of the desktop's own command-line tools (gsettings, gdbus, xfconf-query, xinput,
// kwriteconfig) directly, never through a shell, with a time limit: a settings service that
// does not answer must not freeze the window.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace p330 {

// Runs args[0] (looked up on PATH) with the rest as its arguments; its standard output when it
// ends with status 0 within limit, otherwise nothing (the child is killed at the limit).
std::optional<std::string> run_tool(std::vector<std::string> args,
                                    std::chrono::milliseconds limit = std::chrono::seconds(2));

// Whether a program of this name is on PATH.
bool on_path(const std::string& name);

// The text without leading and trailing white space.
std::string trimmed(const std::string& s);

// A number in the C locale's form ("0.5", never "0,5"), or nothing.
std::optional<double> parse_number(const std::string& s);
// Whether a value read back is the one written. Tools print numbers their own way ("0.5"
// for "0.50"): numbers compare as numbers, other text as text, white space aside.
bool same_value(const std::string& written, const std::string& read);
// A number with two decimals in the C locale's form.
std::string fixed_text(double value);

}  // namespace p330
