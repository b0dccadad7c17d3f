#pragma once
// A PNG's pixel size from its first 24 bytes (and its last 12), before any decoder sees the file:
// the file is opened without blocking and must be a regular file, so a FIFO or a device in an
// image's place is refused at once, and a 20000² image is known as such before memory is spent on
// it.

#include <cstdint>
#include <filesystem>

#include "core/result.h"

namespace p330 {

struct PixelSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The signature and the IHDR chunk that must follow it, and the IEND chunk that ends a whole
// file (a cut-off image is refused without decoding); width and height as the header says.
Result<PixelSize> read_png_size(const std::filesystem::path& path);

}  // namespace p330
