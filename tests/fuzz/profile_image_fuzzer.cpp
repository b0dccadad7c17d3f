// The profile-image loader and everything that decodes a loaded record: the parameter block,
// the button table, the stage lookups and the range check, whatever the file holds. A file is
// accepted exactly when it has the image's size and no field at fault.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/flows/profile_files.h"
#include "core/settings/image_builders.h"
#include "core/settings/record_ranges.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // In memory: millions of runs must not wait on a disk.
    static const int fd = ::memfd_create("p330-fuzz-image", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ::ftruncate(fd, 0) != 0) std::abort();
    if (size > 0 && ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    p330::Result<p330::ProfileImage> image = p330::read_profile_image_bytes(path);
    if (image.is_ok() != (size == p330::kProfileImageSize)) std::abort();
    if (!image) return 0;
    const bool sound = p330::out_of_range_fields(image->record, image->first_run_flag).empty();
    if (p330::read_profile_image(path).is_ok() != sound) std::abort();
    p330::DeviceImage device;
    device.parameter_block[0] = p330::build_parameter_block(image->record);
    device.button_table = p330::build_button_table(image->record);
    p330::copy_macros(image->record, device);
    for (const p330::RangeFault& fault :
         p330::out_of_range_fields(image->record, image->first_run_flag))
        if (fault.field.empty() || fault.allowed.empty()) std::abort();
    for (int stage = 0; stage <= 7; ++stage)
        (void)p330::stage_dpi(device, image->record.profile_slot, stage);
    return 0;
}
