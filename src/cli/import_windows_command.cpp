// import-windows: a data folder of the Windows program into the data folder.

#include "cli/command_handlers.h"

namespace p330::cli {

int cmd_import_windows(const Context& c) {
    return fail(c, kExitFailed, "not yet");
}

}  // namespace p330::cli
