// The simulated mouse's state file, whatever it holds: refused or taken whole, never a crash,
// and a state that is taken answers the reads of the mouse's settings within the firmware's
// memory.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/device/protocol.h"
#include "core/device/simulated_mouse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // In memory where there is a tmpfs: millions of runs must not wear a disk. A real path, as
    // the simulated mouse keeps its lock file beside the state.
    static const std::string path =
        std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/p330-fuzz-state-" +
        std::to_string(::getpid());
    static const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0 || ::ftruncate(fd, 0) != 0) std::abort();
    if (size > 0 && ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();

    p330::ManualClock clock;
    p330::SimulatedMouse mouse(clock);
    if (!mouse.attach_state_file(path)) return 0;
    if (mouse.current_profile() >= p330::kProfileSlotCount) std::abort();
    p330::CommandProtocol protocol(mouse, clock);
    p330::DeviceImage image;
    if (!p330::read_mouse_state(protocol, image).ok()) std::abort();
    if (image.current_profile != mouse.current_profile()) std::abort();
    (void)p330::check_mouse_answer(image, 1, 4);
    return 0;
}
