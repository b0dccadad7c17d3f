#include "core/macro/macro_encoding.h"

#include <algorithm>

#include "core/buttons/key_tables.h"
#include "core/formats/macro_file.h"
#include "core/util/parse_int.h"
#include "core/util/text_replace.h"

namespace p330 {
bool append_key_event(Block& block, int& pairs_used, bool release, std::uint8_t code,
                      long long delay_ms) {
    const std::uint8_t direction = release ? 0x80 : 0x00;
    const auto n = static_cast<unsigned long long>(std::max(delay_ms, 0LL));
    std::uint8_t pairs[3][2];
    int count = 0;
    if (n <= 1270) {
        pairs[count][0] = static_cast<std::uint8_t>(direction | ((n / 10) & 0x7F));
        pairs[count++][1] = code;
    } else if (n <= 25500) {
        pairs[count][0] = static_cast<std::uint8_t>(direction | ((n % 100) & 0x7F));
        pairs[count++][1] = code;
        pairs[count][0] = static_cast<std::uint8_t>(n / 100);
        pairs[count++][1] = 0x03;
    } else {
        const auto hundreds = static_cast<std::uint16_t>(n / 100);  // low 16 bits survive
        pairs[count][0] = static_cast<std::uint8_t>(direction | (n % 100));
        pairs[count++][1] = code;
        pairs[count][0] = 0x00;
        pairs[count++][1] = 0x03;
        pairs[count][0] = static_cast<std::uint8_t>(hundreds >> 8);
        pairs[count++][1] = static_cast<std::uint8_t>(hundreds & 0xFF);
    }
    if (pairs_used + count > kMaxEventPairs) return false;
    for (int i = 0; i < count; ++i) {
        const std::size_t at = 2 + 2 * static_cast<std::size_t>(pairs_used + i);
        block[at] = pairs[i][0];
        block[at + 1] = pairs[i][1];
    }
    pairs_used += count;
    return true;
}

EncodedMacro encode_macro(const IniDocument& ini, const std::string& section) {
    EncodedMacro out;
    const MacroSection macro = read_macro_section(ini, section);
    out.block[0] = static_cast<std::uint8_t>(macro.loop_times >> 8);
    out.block[1] = static_cast<std::uint8_t>(macro.loop_times & 0xFF);

    const int count = macro.item_count;
    if (count == 0) {
        out.block.fill(0);  // an empty macro is all zeros, loop count too
        return out;
    }
    const int items = static_cast<int>(macro.items.size());
    for (int j = 0; j < items; ++j) {
        const std::string& item = macro.items[static_cast<std::size_t>(j)];
        bool release = false;
        std::string name;
        if (item.find(kPressMarker) != std::string::npos) {
            name = replace_all(item, kPressMarker, "");
        } else if (item.find(kReleaseMarker) != std::string::npos) {
            name = replace_all(item, kReleaseMarker, "");
            release = true;
        } else {
            continue;  // a delay item, or anything else
        }
        ++out.events_total;
        if (out.cut) {
            ++out.events_dropped;  // once one does not fit, the rest are dropped whole
            continue;
        }
        std::string delay =
            j + 1 < count ? ini.get_or_empty(section, "Item" + std::to_string(j + 1)) : "";
        if (!macro.record_delays && delay.find("ms") == std::string::npos) delay = "50 ms";
        const long long n = parse_leading_integer(replace_all(delay, " ms", ""));
        if (!append_key_event(out.block, out.pairs_used, release, macro_key_code(name), n)) {
            out.cut = true;  // never written past the block
            ++out.events_dropped;
        }
    }
    return out;
}

EncodedMacros encode_macro_blocks(const IniDocument& ini) {
    EncodedMacros out;
    const std::vector<std::string> sections = macro_names(ini);
    for (std::size_t h = 0; h < sections.size(); ++h) {
        if (h >= static_cast<std::size_t>(kMacroCount)) {
            ++out.sections_ignored;
            continue;
        }
        out.macros[h] = encode_macro(ini, sections[h]);
        out.blocks[h] = out.macros[h].block;
        ++out.encoded;
    }
    return out;
}

}  // namespace p330
