#include "core/flows/full_upload.h"

#include "core/device/sequence_guard.h"
#include "core/settings/image_builders.h"

namespace p330 {

namespace {

// The upload's steps on a protocol whose transport is already guarded.
TransferTally upload_steps(CommandProtocol& protocol, SettingsRecord& record, DeviceImage& image) {
    record.profile_slot = 0;
    image.current_profile = 0;

    TransferTally tally = protocol.begin_upload();

    image.report_interval = record.report_interval;
    tally.merge(protocol.set_report_rate(image));

    image.parameter_block[record.profile_slot] = build_parameter_block(record);
    tally.merge(protocol.write_parameter_block(image));

    image.button_table = build_button_table(record);
    tally.merge(protocol.write_button_table(image));

    copy_macros(record, image);
    tally.merge(protocol.write_macros(image));
    return tally;
}

}  // namespace

TransferTally full_upload(CommandProtocol& link, SettingsRecord& record, DeviceImage& image) {
    const SequenceClaim claim(link.transport());
    if (!claim.status()) return refused_sequence(claim.status());
    SequenceGuard guard(link.transport(), link.clock());
    CommandProtocol protocol(guard, guard);
    return upload_steps(protocol, record, image);
}

TransferTally greet_and_upload(CommandProtocol& link, SettingsRecord& record, DeviceImage& image) {
    SequenceGuard guard(link.transport(), link.clock());
    CommandProtocol protocol(guard, guard);
    TransferTally tally = connect_handshake(protocol, image, record.profile_slot);
    const SequenceClaim claim(guard);
    if (!claim.status()) {
        tally.merge(refused_sequence(claim.status()));
        return tally;
    }
    tally.merge(upload_steps(protocol, record, image));
    return tally;
}

}  // namespace p330
