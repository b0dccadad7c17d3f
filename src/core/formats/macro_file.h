#pragma once
// record.ini: one section per macro, in the order the mouse numbers them, each with
// DelayTimeSelStatus (1: play the recorded delays), MacroLoopTimes (1..65535), ItemCount and
// Item0.. ("KEY   Dn", "KEY   Up", "N ms"). Read here and nowhere else.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/ini_document.h"
#include "core/result.h"

namespace p330 {

constexpr long long kMaxMacroLoopTimes = 65535;  // the block's 16-bit loop count
constexpr std::size_t kMaxMacroNameLength = 31;  // characters, not bytes
constexpr int kChoosableMacros = 12;             // the mouse holds twelve macros
// No macro the program writes comes near this; it bounds the work a damaged file can cause.
constexpr int kMaxMacroItemsRead = 4096;  // and the most a writer writes
// A list of typed items (import-items), from a file or standard input.
constexpr std::size_t kMaxItemsFileSize = std::size_t{256} * 1024;
// The items' own forms.
constexpr std::string_view kPressMarker = "   Dn";
constexpr std::string_view kReleaseMarker = "   Up";
constexpr long long kMaxDelayMs = 6553500;

struct MacroSection {
    std::string name;
    std::string delay_status;  // as written: "1", "0" or anything a hand edit left
    bool record_delays = false;
    std::string loop_text;     // as written
    long long loop_times = 1;  // the written count when it is 1..65535, else 1
    int item_count = 0;        // ItemCount as written
    std::vector<std::string> items;
};

// The loop count a MacroLoopTimes text stands for: 1..65535, anything else 1.
long long macro_loop_times(std::string_view text);
bool valid_macro_loop_times(long long count);

MacroSection read_macro_section(const IniDocument& file, const std::string& name);
// Every section name in file order.
std::vector<std::string> macro_names(const IniDocument& file);
// The names a button can be given: the first twelve.
std::vector<std::string> choosable_macro_names(const IniDocument& file);

// Names become section names: 1 to 31 characters of valid UTF-8, nothing that would break
// the section header or the line it stands on, no blank at either end.
Status validate_macro_name(std::string_view name);
// Whether two macro names are one section's: without regard to case, as section names match,
// and compared as they print (see comparable_name).
bool macro_names_equal(std::string_view a, std::string_view b);

// An item as the recorder or the manager would write it, from a typed line: "KEY   Dn" or
// "KEY   Up" with a key the macro encoder knows, or a delay "N ms" (N up to 6553500);
// nullopt for anything else.
std::optional<std::string> macro_item_from_text(std::string_view text);

}  // namespace p330
