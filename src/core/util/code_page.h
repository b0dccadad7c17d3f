#pragma once
// Text in a Windows ANSI code page (GBK, Big5, Windows-1252) turned into UTF-8 by iconv.

#include <string>
#include <string_view>

#include "core/result.h"

namespace p330 {

// Refuses bytes that are not text of that code page.
Result<std::string> code_page_to_utf8(std::string_view bytes, std::string_view code_page);

}  // namespace p330
