#pragma once
// The mouse for one command: the link, with --trace the transport that records every
// transfer, and sending a whole profile with its tally.

#include <memory>
#include <string>
#include <vector>

#include "cli/context.h"
#include "cli/device_open.h"
#include "cli/json_writer.h"
#include "core/device/open_mouse.h"
#include "core/device/tracing_transport.h"
#include "core/model/settings_record.h"

namespace p330::cli {

struct DeviceSession {
    std::unique_ptr<MouseLink> link;
    std::unique_ptr<TracingTransport> tracer;

    Transport& transport() { return tracer ? *tracer : link->transport(); }
};

// Opens the mouse of --device; prints why not and returns the exit code when it fails.
int open_device(const Context& c, DeviceSession& session);
// Lets the simulated mouse keep its memory in its state file.
int close_device(const Context& c, DeviceSession& session);

// What sending a profile did.
struct SendOutcome {
    int code = kExitOk;
    std::string device;
    int transfers = 0;
    int failed = 0;    // tried and lost
    int not_sent = 0;  // never tried: the upload had given up on the mouse
    long long milliseconds = 0;
    bool pointer_tried = false;
    DesktopPointerResult pointer;

    // Every setting the desktop has took its value.
    bool pointer_ok() const { return pointer.refused.empty() && !pointer.applied.empty(); }

    // No transfer went through: the mouse got none of it.
    bool nothing_arrived() const { return transfers > 0 && failed + not_sent == transfers; }
    std::string json() const;
    std::string text(const std::string& source) const;
};

// The handshake and the full upload of record, then with --pointer the desktop's pointer
// settings; failures are printed on the error stream and set the outcome's code.
SendOutcome send_record(const Context& c, const SettingsRecord& record);

// Sends the record when --apply asks for it and adds the outcome to the output, the image
// file named as its source.
int apply_if_asked(const Context& c, const SettingsRecord& record, const std::string& image,
                   JsonList& doc, std::string& text);

}  // namespace p330::cli
