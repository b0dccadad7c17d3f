#include "gui/skin/skin_file_check.h"

#include <cstdint>
#include <map>
#include <string>
#include <system_error>

#include "gui/layout/main_layout.h"

namespace p330::gui {

namespace fs = std::filesystem;

namespace {

// The shipped skin has 236 images and 3.2 million pixels at 1x; twice that leaves room for
// richer art while keeping the decoded images of a whole skin under 25 MB (100 MB at 2x).
constexpr std::uint64_t kMaxPixels = 6'000'000;
constexpr int kMaxFiles = 2000;  // of any kind: listing the folder is bounded too
constexpr std::string_view kDoubleSuffix = "@2x.png";

bool is_double(const std::string& name) {
    return name.size() > kDoubleSuffix.size() && name.ends_with(kDoubleSuffix);
}

std::string size_text(PixelSize s) {
    return std::to_string(s.width) + "x" + std::to_string(s.height);
}

PixelSize scaled(PixelSize s, std::uint32_t by) {
    return {s.width * by, s.height * by};
}

Error refused(const fs::path& file, const std::string& why) {
    return Error{ErrorCode::kInvalidData, file.string() + ": " + why};
}

// The header's size, refused past the window's (times the @2x scale).
Result<PixelSize> fitting_size(const fs::path& file, PixelSize window) {
    Result<PixelSize> size = read_png_size(file);
    if (!size) return size;
    const PixelSize cap = scaled(window, is_double(file.filename().string()) ? 2 : 1);
    if (size->width > cap.width || size->height > cap.height) {
        return refused(file,
                       size_text(*size) + " pixels, larger than the window's " + size_text(cap));
    }
    return size;
}

// The error with the file named as in the skin folder, the way the user sees the skin.
Error named_in(const fs::path& skin_dir, const fs::path& file, Error error) {
    const std::string full = file.string();
    if (error.message.starts_with(full))
        error.message.replace(0, full.size(), file.lexically_relative(skin_dir).string());
    return error;
}

// main.png (main@2x.png) is the window, pixel for pixel.
Status main_size_rule(std::string_view name, PixelSize size, PixelSize window) {
    const std::uint32_t scale = name == "main.png" ? 1 : name == "main@2x.png" ? 2 : 0;
    if (scale == 0 || size == scaled(window, scale)) return Status::ok();
    return refused(std::string(name), size_text(size) + " pixels, not the window's " +
                                          size_text(scaled(window, scale)));
}

}  // namespace

PixelSize skin_window_size() {
    return {static_cast<std::uint32_t>(layout::kWindowRect.width()),
            static_cast<std::uint32_t>(layout::kWindowRect.height())};
}

Status check_skin_file(const fs::path& file, PixelSize window_size) {
    return fitting_size(file, window_size).status();
}

Result<PixelSize> skin_file_size(const fs::path& file, PixelSize window_size) {
    return fitting_size(file, window_size);
}

Status check_skin_image(const fs::path& skin_dir, const std::string& name, PixelSize window_size) {
    const fs::path file = skin_dir / name;
    Result<PixelSize> size = fitting_size(file, window_size);
    if (!size) return named_in(skin_dir, file, size.error());
    return main_size_rule(name, *size, window_size);
}

Status check_skin_files(const fs::path& skin_dir, PixelSize window_size) {
    std::map<std::string, PixelSize> sizes;  // by the name relative to the skin folder
    std::uint64_t pixels[2] = {0, 0};        // at 1x and at 2x
    int files = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator it(skin_dir, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (++files > kMaxFiles)
            return refused("images", "it holds more than " + std::to_string(kMaxFiles) + " files");
        if (!name.ends_with(".png")) continue;
        Result<PixelSize> size = fitting_size(it->path(), window_size);
        if (!size) return named_in(skin_dir, it->path(), size.error());
        const bool twice = is_double(name);
        pixels[twice ? 1 : 0] += std::uint64_t{size->width} * size->height;
        sizes[it->path().lexically_relative(skin_dir).string()] = *size;
    }
    // A folder that is not there has no images; the caller names the ones it needs.
    if (error == std::errc::no_such_file_or_directory) return Status::ok();
    if (error)
        return Error{ErrorCode::kIo, "cannot list " + skin_dir.string() + ": " + error.message()};
    if (pixels[0] > kMaxPixels)
        return refused("images", "more than " + std::to_string(kMaxPixels) + " pixels of them");
    if (pixels[1] > 4 * kMaxPixels) {
        return refused("images",
                       "more than " + std::to_string(4 * kMaxPixels) + " pixels of @2x images");
    }
    for (const auto& [name, size] : sizes) {
        if (!is_double(name)) continue;
        const std::string single = name.substr(0, name.size() - kDoubleSuffix.size()) + ".png";
        const auto partner = sizes.find(single);
        if (partner != sizes.end() && size != scaled(partner->second, 2)) {
            return refused(name, size_text(size) + " pixels, not twice " + single + "'s " +
                                     size_text(partner->second));
        }
    }
    for (const char* name : {"main.png", "main@2x.png"}) {
        const auto main = sizes.find(name);
        if (main == sizes.end()) continue;
        if (Status rule = main_size_rule(name, main->second, window_size); !rule) return rule;
    }
    return Status::ok();
}

}  // namespace p330::gui
