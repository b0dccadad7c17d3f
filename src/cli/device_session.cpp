#include "cli/device_session.h"

#include "cli/device_open.h"
#include "cli/json_writer.h"
#include "cli/profile_edit.h"
#include "core/device/protocol.h"
#include "core/device/simulated_mouse.h"
#include "core/flows/full_upload.h"
#include "core/flows/pointer_settings.h"

namespace p330::cli {

int open_device(const Context& c, DeviceSession& session) {
    c.folder_lock.reset();
    Result<std::unique_ptr<MouseLink>> link =
        open_mouse_link(c.options.device, SystemClock::instance());
    if (!link) {
        const ErrorCode why = link.error().code;
        const int code = why == ErrorCode::kInvalidData       ? kExitBadInput
                         : why == ErrorCode::kInvalidArgument ? kExitUsage
                                                              : kExitNoDevice;
        return fail(c, code, link.error().message);
    }
    session.link = std::move(*link);
    if (c.trace != nullptr) {
        session.tracer = std::make_unique<TracingTransport>(session.link->transport(),
                                                            SystemClock::instance(), c.trace);
    }
    return kExitOk;
}

int close_device(const Context& c, DeviceSession& session) {
    if (SimulatedMouse* sim = session.link->simulated()) {
        if (Status flushed = sim->flush(); !flushed) {
            return fail(c, kExitFailed,
                        "the simulated mouse could not keep its memory: " + flushed.message());
        }
    }
    return kExitOk;
}

SendOutcome send_record(const Context& c, const SettingsRecord& source) {
    SendOutcome outcome;
    DeviceSession session;
    if (int code = open_device(c, session); code != kExitOk) {
        outcome.code = code;
        return outcome;
    }
    SettingsRecord record = source;
    CommandProtocol protocol(session.transport(), SystemClock::instance());
    DeviceImage image;
    const auto started = SystemClock::instance().now();
    const TransferTally tally = greet_and_upload(protocol, record, image);
    outcome.milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                               SystemClock::instance().now() - started)
                               .count();
    outcome.device = session.link->description();
    outcome.transfers = tally.total();
    outcome.failed = tally.failed() - tally.not_sent();
    outcome.not_sent = tally.not_sent();
    outcome.code = close_device(c, session);
    if (!tally.ok()) {
        outcome.code = fail(c, kExitFailed,
                            std::string(outcome.nothing_arrived() ? "nothing reached the mouse: "
                                                                  : "the mouse did not receive "
                                                                    "everything: ") +
                                tally.status().message());
        return outcome;
    }
    if (c.options.pointer) {
        outcome.pointer_tried = true;
        outcome.pointer = apply_desktop_pointer(pointer_values(record), active_language(c));
        for (const std::string& why : outcome.pointer.refused)
            outcome.code = fail(c, kExitFailed, why);
        // Where nothing at all could be set, asking for it did not succeed.
        if (!outcome.pointer.lacking_note.empty()) {
            if (outcome.pointer.applied.empty())
                outcome.code = fail(c, kExitFailed, outcome.pointer.lacking_note);
            else
                std::fprintf(c.err, "p330ctl: %s\n", outcome.pointer.lacking_note.c_str());
        }
    }
    return outcome;
}

std::string SendOutcome::json() const {
    JsonList doc('{');
    doc.field("device", json_string(device))
        .field("transfers", json_number(transfers))
        .field("failed", json_number(failed))
        .field("not_sent", json_number(not_sent))
        .field("milliseconds", json_number(milliseconds));
    if (pointer_tried) {
        doc.field("pointer_applied", json_bool(pointer_ok()));
        JsonList lacking('[');
        for (const std::string& name : pointer.lacking) lacking.item(json_string(name));
        doc.field("pointer_not_on_this_desktop", lacking.str());
    }
    return doc.str();
}

std::string SendOutcome::text(const std::string& source) const {
    if (nothing_arrived()) {
        return "Nothing reached the " + device + ": none of " + std::to_string(transfers) +
               " transfers went through (" + std::to_string(failed) + " failed" +
               (not_sent != 0 ? ", " + std::to_string(not_sent) +
                                    " not sent after the mouse stopped answering"
                              : std::string()) +
               "); " + source + " was not sent.\n";
    }
    std::string out = "Sent " + source + " to the " + device + ": " + std::to_string(transfers) +
                      " transfers in " + std::to_string(milliseconds) + " ms";
    if (not_sent != 0)
        out += ", " + std::to_string(failed) + " failed, " + std::to_string(not_sent) +
               " not sent after the mouse stopped answering.\n";
    else
        out += failed ? ", " + std::to_string(failed) + " failed.\n" : ".\n";
    if (pointer_tried && pointer_ok()) {
        out += "Desktop pointer settings applied: ";
        for (std::size_t i = 0; i < pointer.applied.size(); ++i)
            out += (i == 0 ? "" : ", ") + pointer.applied[i];
        out += ".\n";
    }
    return out;
}

int apply_if_asked(const Context& c, const SettingsRecord& record, const std::string& image,
                   JsonList& doc, std::string& text) {
    if (!c.options.apply) return kExitOk;
    const SendOutcome sent = send_record(c, record);
    if (!sent.device.empty()) {
        doc.field("sent", sent.json());
        text += sent.text(image);
    }
    return sent.code;
}

}  // namespace p330::cli
