#pragma once
// Macros as the mouse stores them: 128-byte blocks of a big-endian loop count and up to 63
// event pairs (control byte, key code), built from the sections of record.ini.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/formats/ini_document.h"
#include "core/formats/macro_file.h"
#include "core/model/settings_record.h"

namespace p330 {

constexpr int kMaxEventPairs = 63;

struct EncodedMacro {
    Block block{};
    int pairs_used = 0;
    bool cut = false;        // some events did not fit and were dropped
    int events_dropped = 0;  // the key events past the last that fit
    int events_total = 0;    // every key event of the macro
};

struct EncodedMacros {
    std::array<Block, kMacroCount> blocks{};
    std::array<EncodedMacro, kMacroCount> macros{};
    int encoded = 0;           // sections encoded (at most twelve)
    int sections_ignored = 0;  // sections beyond the twelfth
};

// One record.ini section (its keys read case-insensitively) into one block.
EncodedMacro encode_macro(const IniDocument& ini, const std::string& section);
// Every section in file order; section n becomes block n. Blocks past the last section are
// zero. Twelve sections at most: the rest are counted, never encoded.
EncodedMacros encode_macro_blocks(const IniDocument& ini);

// Appends the pairs for one key event with the delay that follows it; false (and nothing
// written) when they do not fit in the remaining room.
bool append_key_event(Block& block, int& pairs_used, bool release, std::uint8_t code,
                      long long delay_ms);

}  // namespace p330
