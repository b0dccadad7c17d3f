#include "cli/commands.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <memory>

#include "cli/device_open.h"
#include "cli/json_writer.h"
#include "cli/paths_command.h"
#include "cli/profile_report.h"
#include "core/config/full_upload.h"
#include "core/config/ini_document.h"
#include "core/config/pointer_settings.h"
#include "core/config/profile_files.h"
#include "core/device/protocol.h"
#include "core/device/simulated_mouse.h"
#include "core/device/tracing_transport.h"
#include "core/macro/macro_encoding.h"
#include "core/util/hex.h"
#include "core/util/parse_int.h"

namespace p330::cli {
namespace {

struct Context {
    const Options& options;
    std::FILE* out;
    std::FILE* err;
    DataFolder folder;
};

int fail(const Context& c, int code, const std::string& message) {
    std::fprintf(c.err, "p330ctl: %s\n", message.c_str());
    return code;
}

// The link plus, with --trace, the transport that records every transfer.
struct Session {
    std::unique_ptr<MouseLink> link;
    std::unique_ptr<TracingTransport> tracer;
    std::FILE* trace_file = nullptr;
    bool close_trace = false;

    Transport& transport() { return tracer ? *tracer : link->transport(); }
    ~Session() {
        if (close_trace && trace_file != nullptr) std::fclose(trace_file);
    }
};

int open_session(const Context& c, Session& session) {
    Result<std::unique_ptr<MouseLink>> link =
        open_mouse_link(c.options.device, SystemClock::instance());
    if (!link) {
        const int code =
            link.error().code == ErrorCode::kInvalidData ? kExitBadInput : kExitNoDevice;
        return fail(c, code, link.error().message);
    }
    session.link = std::move(*link);
    if (!c.options.trace_file.empty()) {
        if (c.options.trace_file == "-") {
            session.trace_file = c.out;
        } else {
            session.trace_file = std::fopen(c.options.trace_file.c_str(), "w");
            if (session.trace_file == nullptr) {
                return fail(c, kExitBadInput,
                            "cannot write the trace file " + c.options.trace_file);
            }
            session.close_trace = true;
        }
        session.tracer = std::make_unique<TracingTransport>(
            session.link->transport(), SystemClock::instance(), session.trace_file);
    }
    return kExitOk;
}

int finish_session(const Context& c, Session& session) {
    if (SimulatedMouse* sim = session.link->simulated()) {
        if (Status flushed = sim->flush(); !flushed) {
            return fail(c, kExitFailed,
                        "the simulated mouse could not keep its memory: " + flushed.message());
        }
    }
    return kExitOk;
}

int cmd_status(const Context& c) {
    Session session;
    if (int code = open_session(c, session); code != kExitOk) {
        if (c.options.json)
            std::fprintf(c.out, "{\"connected\":false}\n");
        else
            std::fprintf(c.out, "Connected: no\n");
        return code;
    }
    CommandProtocol protocol(session.transport(), SystemClock::instance());
    DeviceImage image;
    const TransferTally tally = read_mouse_state(protocol, image);
    if (!tally.ok())
        return fail(c, kExitFailed, "the mouse did not answer: " + tally.status().message());
    if (c.options.json) {
        JsonList stages('[');
        for (int k = 1; k <= 4; ++k) stages.item(json_number(stage_dpi(image, 0, k)));
        std::fprintf(c.out, "%s\n",
                     JsonList('{')
                         .field("connected", "true")
                         .field("device", json_string(session.link->description()))
                         .field("profile", json_number(int(image.current_profile)))
                         .field("dpi_stages", stages.str())
                         .str()
                         .c_str());
    } else {
        std::fprintf(c.out, "Connected: yes, %s\n", session.link->description().c_str());
        std::fprintf(c.out, "Current profile: %d\n", image.current_profile);
        for (int k = 1; k <= 4; ++k)
            std::fprintf(c.out, "DPI stage %d: %d\n", k, stage_dpi(image, 0, k));
    }
    return finish_session(c, session);
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
    }

    Session session;
    if (int code = open_session(c, session); code != kExitOk) return code;
    CommandProtocol protocol(session.transport(), SystemClock::instance());
    DeviceImage image;
    const auto started = SystemClock::instance().now();
    TransferTally tally = connect_handshake(protocol, image, record.profile_slot);
    tally.merge(full_upload(protocol, record, image));
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        SystemClock::instance().now() - started);

    int code = finish_session(c, session);
    if (!tally.ok()) {
        return fail(c, kExitFailed,
                    "the mouse did not receive everything: " + tally.status().message());
    }
    std::fprintf(c.out, "Sent %s to the %s: %d transfers in %lld ms.\n", source.c_str(),
                 session.link->description().c_str(), tally.total(),
                 static_cast<long long>(elapsed.count()));
    if (c.options.pointer) {
        const PointerValues v = pointer_values(record);
        code = apply_desktop_pointer(v, c.out, c.err) ? code : kExitFailed;
    }
    return code;
}

int cmd_show(const Context& c) {
    Result<ProfileImage> image = read_profile_image(c.options.arguments[0]);
    if (!image) return fail(c, kExitBadInput, image.error().message);
    const std::string text = c.options.json
                                 ? profile_json(image->record, image->first_run_flag) + "\n"
                                 : profile_text(image->record, image->first_run_flag);
    std::fputs(text.c_str(), c.out);
    return kExitOk;
}

int cmd_macros(const Context& c) {
    const auto path = c.folder.record_ini();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        if (c.options.json)
            std::fprintf(c.out, "[]\n");
        else
            std::fprintf(c.out, "No macros: %s does not exist.\n", path.c_str());
        return kExitOk;
    }
    Result<IniDocument> doc = IniDocument::load(path);
    if (!doc) return fail(c, kExitBadInput, doc.error().message);
    const EncodedMacros encoded = encode_macro_blocks(*doc);
    const auto names = doc->section_names();
    JsonList list('[');
    for (std::size_t n = 0; n < names.size(); ++n) {
        const std::string& name = names[n];
        long long loops = parse_leading_integer(doc->get_or_empty(name, "MacroLoopTimes"));
        if (loops < 1 || loops > 65535) loops = 1;
        const int items = parse_leading_int(doc->get_or_empty(name, "ItemCount"));
        const bool sent = n < static_cast<std::size_t>(kMacroCount);
        const EncodedMacro* macro = sent ? &encoded.macros[n] : nullptr;
        if (c.options.json) {
            JsonList entry('{');
            entry.field("number", json_number(n + 1))
                .field("name", json_string(name))
                .field("loop", json_number(loops))
                .field("items", json_number(items))
                .field("sent", json_bool(sent));
            if (macro) {
                entry.field("pairs", json_number(macro->pairs_used))
                    .field("cut", json_bool(macro->cut))
                    .field("block", json_string(to_hex(macro->block, "")));
            }
            list.item(entry.str());
        } else if (macro) {
            std::fprintf(c.out, "%2zu  %-31s  loop %5lld  %3d items  %2d/63 pairs%s\n", n + 1,
                         name.c_str(), loops, items, macro->pairs_used,
                         macro->cut ? "  CUT: events past the block were dropped" : "");
        } else {
            std::fprintf(c.out, "%2zu  %-31s  not sent: the mouse holds twelve macros\n", n + 1,
                         name.c_str());
        }
    }
    if (c.options.json) std::fprintf(c.out, "%s\n", list.str().c_str());
    return kExitOk;
}

int g_wake_pipe[2] = {-1, -1};
void on_interrupt(int) {
    const char byte = 1;
    (void)!::write(g_wake_pipe[1], &byte, 1);
}

int cmd_watch(const Context& c) {
    if (::pipe2(g_wake_pipe, O_CLOEXEC) != 0)
        return fail(c, kExitFailed, "cannot set up the interrupt handler");
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
    return watch_mouse(c.options.device, c.folder.dir.string(), c.out, c.err, g_wake_pipe[0]);
}

int cmd_devices(const Context& c) {
    return list_devices(c.options.device, c.options.json, c.out, c.err);
}

}  // namespace

int run_command(const Options& options, std::FILE* out, std::FILE* err) {
    Context c{options, out, err, {}};
    if (options.command == "paths") return cmd_paths(options, out, err);
    if (options.command == "devices") return cmd_devices(c);
    Result<DataFolder> folder = prepare_data_folder(options, err);
    if (!folder) return fail(c, kExitBadInput, folder.error().message);
    c.folder = *folder;
    if (options.command == "status") return cmd_status(c);
    if (options.command == "apply") return cmd_apply(c);
    if (options.command == "show") return cmd_show(c);
    if (options.command == "macros") return cmd_macros(c);
    if (options.command == "watch") return cmd_watch(c);
    return fail(c, kExitUsage, "unknown command " + options.command);
}

}  // namespace p330::cli
