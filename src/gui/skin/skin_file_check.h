#pragma once
// What a skin's images may be before any of them is decoded, read from their headers only:
// regular files, complete PNGs, main.png exactly the window's size, nothing larger than the
// window, an `@2x` image exactly twice its 1x partner, and a bounded number of pixels in all.
// So that no skin can hang the start (a FIFO), leave a 1x1 window (a cut-off image) or take
// hundreds of megabytes (thousands of pixels square).

#include <filesystem>

#include "core/formats/png_header.h"
#include "core/result.h"

namespace p330::gui {

// The main window at 1x: main.png's size, and the largest any skin image may be.
PixelSize skin_window_size();

// Every PNG under skin_dir, for a window of window_size pixels at 1x.
Status check_skin_files(const std::filesystem::path& skin_dir, PixelSize window_size);

// One image of the skin by its name in the folder ("main.png"), with the errors naming it so;
// a missing image is ErrorCode::kNotFound.
Status check_skin_image(const std::filesystem::path& skin_dir, const std::string& name,
                        PixelSize window_size);

// One image just before it is decoded (it may have changed since the start): a regular,
// complete PNG no larger than the window, twice that for an `@2x` name.
Status check_skin_file(const std::filesystem::path& file, PixelSize window_size);
// The same check, giving the image's size from its header.
Result<PixelSize> skin_file_size(const std::filesystem::path& file, PixelSize window_size);

}  // namespace p330::gui
