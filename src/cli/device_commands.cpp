// devices, status, apply, show and watch: the commands that meet the mouse or read an image.

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include "cli/command_handlers.h"
#include "cli/device_open.h"
#include "cli/device_session.h"
#include "cli/json_writer.h"
#include "cli/profile_edit.h"
#include "cli/profile_report.h"
#include "core/device/protocol.h"

namespace p330::cli {

int cmd_devices(const Context& c) {
    return list_devices(c.options.device, c.options.json, c.out, c.err);
}

int cmd_status(const Context& c) {
    DeviceSession session;
    if (int code = open_device(c, session); code != kExitOk) {
        if (c.options.json)
            std::fprintf(c.out, "%s\n", json_document().field("connected", "false").str().c_str());
        else
            std::fprintf(c.out, "Connected: no\n");
        return code;
    }
    CommandProtocol protocol(session.transport(), SystemClock::instance());
    DeviceImage image;
    const TransferTally tally = read_mouse_state(protocol, image);
    if (!tally.ok())
        return fail(c, kExitFailed, "the mouse did not answer: " + tally.status().message());
    if (Status understood = check_mouse_answer(image, 1, 4); !understood)
        return fail(c, kExitFailed, understood.message());
    if (c.options.json) {
        JsonList stages('[');
        for (int k = 1; k <= 4; ++k) stages.item(json_number(stage_dpi(image, 0, k)));
        std::fprintf(c.out, "%s\n",
                     json_document()
                         .field("connected", "true")
                         .field("device", json_string(session.link->description()))
                         .field("profile", json_number(int(image.current_profile)))
                         .field("dpi_stages", stages.str())
                         .field("current_stage", "null")
                         .str()
                         .c_str());
    } else {
        std::fprintf(c.out, "Connected: yes, %s\n", session.link->description().c_str());
        std::fprintf(c.out, "Profile slot: %d\n", image.current_profile);
        for (int k = 1; k <= 4; ++k)
            std::fprintf(c.out, "DPI stage %d: %d\n", k, stage_dpi(image, 0, k));
        std::fprintf(c.out,
                     "Current stage: not known (the mouse tells it when it changes; see "
                     "'p330ctl watch')\n");
    }
    return close_device(c, session);
}

int cmd_apply(const Context& c) {
    SettingsRecord record{};
    std::string source;
    if (!c.options.arguments.empty() || c.options.profile) {
        const std::filesystem::path path = c.options.profile
                                               ? c.folder.image(*c.options.profile)
                                               : std::filesystem::path(c.options.arguments[0]);
        Result<ProfileImage> image = read_profile_image(path);
        if (!image) return fail(c, kExitBadInput, image.error().message);
        record = image->record;
        source = path.string();
        tell_adjusted(c, profile_image_adjustments(path, image->adjusted));
    } else {
        ProfileState state;
        LoadResult loaded = choose_and_load_active_profile(c.folder, state, record);
        if (!loaded.image_loaded) {
            return fail(
                c, kExitBadInput,
                "no active profile to send: " +
                    (loaded.detail.empty() ? std::string(kConfigMissingText) : loaded.detail));
        }
        source = state.active_image.string();
        tell_adjusted(c, loaded.adjusted);
    }
    const SendOutcome sent = send_record(c, record);
    if (sent.device.empty()) return sent.code;
    if (c.options.json) {
        std::fprintf(c.out, "%s\n",
                     json_document()
                         .field("source", json_string(source))
                         .field("sent", sent.json())
                         .str()
                         .c_str());
    } else {
        std::fputs(sent.text(source).c_str(), c.out);
    }
    return sent.code;
}

int cmd_show(const Context& c) {
    const std::filesystem::path path = c.options.arguments[0];
    Result<ProfileImage> image = read_profile_image_bytes(path);
    if (!image) return fail(c, kExitBadInput, image.error().message);
    // A damaged image is shown field by field as it stands, and refused as every reader
    // refuses it: after the fields readers bring into range.
    SettingsRecord brought = image->record;
    const std::vector<RangeFault> adjusted = bring_tolerated_fields_into_range(brought);
    const std::string refusal =
        profile_image_refusal(path, out_of_range_fields(brought, image->first_run_flag));
    if (refusal.empty()) tell_adjusted(c, profile_image_adjustments(path, adjusted));
    JsonList doc = json_document().fields_of(profile_json(image->record, image->first_run_flag));
    if (!refusal.empty()) doc.field("refused", json_string(refusal));
    const std::string text =
        c.options.json ? doc.str() + "\n" : profile_text(image->record, image->first_run_flag);
    std::fputs(text.c_str(), c.out);
    if (refusal.empty()) return kExitOk;
    std::fprintf(c.err, "p330ctl: %s\n", refusal.c_str());
    return kExitBadInput;
}

namespace {
int g_wake_pipe[2] = {-1, -1};
void on_interrupt(int) {
    const char byte = 1;
    (void)!::write(g_wake_pipe[1], &byte, 1);
}
}  // namespace

int cmd_watch(const Context& c) {
    if (::pipe2(g_wake_pipe, O_CLOEXEC) != 0)
        return fail(c, kExitFailed, "cannot set up the interrupt handler");
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
    return watch_mouse(c.options.device, c.folder.dir.string(), c.options.json, c.out, c.err,
                       g_wake_pipe[0]);
}

}  // namespace p330::cli
