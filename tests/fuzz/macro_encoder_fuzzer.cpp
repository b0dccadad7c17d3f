// The macro encoder from a record.ini text: never writes past a block, never more than
// 63 pairs, never more than twelve macros.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/macro/macro_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto doc =
        p330::IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!doc) return 0;
    const p330::EncodedMacros out = p330::encode_macro_blocks(*doc);
    if (out.encoded > p330::kMacroCount) std::abort();
    for (const p330::EncodedMacro& macro : out.macros) {
        if (macro.pairs_used > p330::kMaxEventPairs) std::abort();
    }
    return 0;
}
