// The INI parser on arbitrary bytes: never crashes, and what it writes reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/formats/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto doc =
        p330::IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!doc) return 0;
    const std::string once = doc->serialise();
    auto again = p330::IniDocument::parse(once);
    if (!again || again->serialise() != once) std::abort();
    for (const std::string& name : doc->section_names()) (void)doc->get(name, "ItemCount");
    return 0;
}
