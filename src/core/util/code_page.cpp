#include "core/util/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace p330 {

Result<std::string> code_page_to_utf8(std::string_view bytes, std::string_view code_page) {
    const std::string from(code_page);
    iconv_t cd = ::iconv_open("UTF-8", from.c_str());
    // (iconv_t)-1 is iconv's own failure value.
    if (cd == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
        return Error{ErrorCode::kInvalidArgument, "iconv does not know the code page " + from};
    }
    std::string in(bytes);
    // Every byte of these code pages becomes at most four bytes of UTF-8.
    std::vector<char> out(in.size() * 4 + 4);
    char* in_ptr = in.data();
    std::size_t in_left = in.size();
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    const std::size_t done = ::iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    const int error = errno;
    ::iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) {
        return Error{ErrorCode::kInvalidData,
                     "not " + from + " text (byte " + std::to_string(in.size() - in_left) + ")",
                     error};
    }
    return std::string(out.data(), out.size() - out_left);
}

}  // namespace p330
