#pragma once
// The one routine that turns the settings record into device commands.

#include "core/device/protocol.h"
#include "core/model/device_image.h"
#include "core/model/settings_record.h"

namespace p330 {

// Sends everything, in the firmware's order: 0x02, 0x03, the parameter block (0x0C), the
// button table (0x0D) and the twelve macro blocks (0x0F). A lost report does not stop it; a
// mouse that is gone, or that timed out three times in a row, does (see SequenceGuard). The
// tally counts every transfer, sent or not, and says whether all went through.
TransferTally full_upload(CommandProtocol& protocol, SettingsRecord& record, DeviceImage& image);
// The handshake of a mouse just opened and then the full upload, under one guard: a mouse
// that does not answer costs three time-outs in all, not three in each.
TransferTally greet_and_upload(CommandProtocol& protocol, SettingsRecord& record,
                               DeviceImage& image);

}  // namespace p330
