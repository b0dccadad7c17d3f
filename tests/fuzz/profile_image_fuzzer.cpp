// The profile-image loader and everything that decodes a loaded record: the parameter block,
// the button table and the stage lookups, whatever the file holds.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/config/image_builders.h"
#include "core/config/profile_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/p330-fuzz-image-" + std::to_string(::getpid()) + ".bin";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    p330::Result<p330::ProfileImage> image = p330::read_profile_image(path);
    if (image.is_ok() != (size == p330::kProfileImageSize)) std::abort();
    if (!image) return 0;
    p330::DeviceImage device;
    device.parameter_block[0] = p330::build_parameter_block(image->record);
    device.button_table = p330::build_button_table(image->record);
    p330::copy_macros(image->record, device);
    for (int stage = 0; stage <= 7; ++stage)
        (void)p330::stage_dpi(device, image->record.profile_slot, stage);
    return 0;
}
