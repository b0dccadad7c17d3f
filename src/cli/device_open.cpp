#include "cli/device_open.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <ctime>

#include "cli/json_writer.h"
#include "cli/options.h"
#include "core/device/listener.h"
#include "core/device/mouse_nodes.h"
#include "core/device/plug_events.h"
#include "core/flows/settings_controller.h"
#include "core/session/mouse_session.h"
#include "core/session/plug_handling.h"
#include "platform/pointer_backend.h"

namespace p330::cli {
namespace {

std::string collection_text(const HidCollection& c) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer,
                  "usage page %04X usage %04X, input %u, output %u, feature %u bytes", c.usage_page,
                  c.usage, c.input_length, c.output_length, c.feature_length);
    return buffer;
}

std::string clock_stamp() {
    const std::time_t now = std::time(nullptr);
    char stamp[16];
    std::strftime(stamp, sizeof stamp, "%H:%M:%S", std::localtime(&now));
    return stamp;
}

// One line per event; with json, one JSON object per line.
void print_event(std::FILE* out, bool json, std::string_view event, const std::string& title,
                 const std::string& text) {
    if (json) {
        std::fprintf(out, "%s\n",
                     json_document()
                         .field("event", json_string(event))
                         .field("time", json_string(clock_stamp()))
                         .field("title", json_string(title))
                         .field("text", json_string(text))
                         .str()
                         .c_str());
    } else if (title.empty()) {
        std::fprintf(out, "%s\n", text.c_str());
    } else {
        std::fprintf(out, "%s %s: %s\n", clock_stamp().c_str(), title.c_str(), text.c_str());
    }
    std::fflush(out);
}

class PrintingSink final : public NotificationSink {
  public:
    PrintingSink(std::FILE* out, bool json) : out_(out), json_(json) {}
    void notify(const Notification& n) override {
        print_event(out_, json_, "notification", n.title, n.text);
    }

  private:
    std::FILE* out_;
    bool json_;
};

}  // namespace

int list_devices(const std::string& device_name, bool json, std::FILE* out, std::FILE* err) {
    if (device_name.rfind("sim", 0) == 0) {
        if (json)
            std::fprintf(out, "%s\n",
                         json_document()
                             .field("devices", "[{\"devnode\":\"sim\",\"simulated\":true}]")
                             .str()
                             .c_str());
        else
            std::fprintf(out, "sim: the simulated mouse (always present)\n");
        return kExitOk;
    }
    Result<std::vector<HidrawNode>> nodes = find_mouse_nodes();
    if (!nodes) {
        std::fprintf(err, "p330ctl: %s\n", nodes.error().message.c_str());
        return kExitNoDevice;
    }
    JsonList list('[');
    for (const HidrawNode& node : *nodes) {
        const char* role = command_collection(node) ? "command"
                           : input_collection(node) ? "input"
                                                    : "other";
        if (json) {
            JsonList collections('[');
            for (const HidCollection& c : node.descriptor.collections) {
                collections.item(JsonList('{')
                                     .field("usage_page", json_number(c.usage_page))
                                     .field("usage", json_number(c.usage))
                                     .field("input_length", json_number(c.input_length))
                                     .field("output_length", json_number(c.output_length))
                                     .field("feature_length", json_number(c.feature_length))
                                     .str());
            }
            list.item(JsonList('{')
                          .field("devnode", json_string(node.devnode))
                          .field("role", json_string(role))
                          .field("readable", json_bool(node.readable))
                          .field("writable", json_bool(node.writable))
                          .field("collections", collections.str())
                          .field("descriptor_error", json_string(node.descriptor_error))
                          .str());
            continue;
        }
        std::fprintf(out, "%s  %s collection; %s\n", node.devnode.c_str(), role,
                     node.readable && node.writable ? "can be opened"
                     : node.readable
                         ? "read-only for this user"
                         : "no access for this user: install the udev rule (see README)");
        for (const HidCollection& c : node.descriptor.collections) {
            std::fprintf(out, "    %s\n", collection_text(c).c_str());
        }
        if (!node.descriptor_error.empty())
            std::fprintf(out, "    %s\n", node.descriptor_error.c_str());
    }
    if (json)
        std::fprintf(out, "%s\n", json_document().field("devices", list.str()).str().c_str());
    else if (nodes->empty())
        std::fprintf(out, "No P330 mouse (USB 04D9:C7E2) is plugged in.\n");
    return nodes->empty() ? kExitNoDevice : kExitOk;
}

int watch_mouse(const std::string& device_name, const std::string& data_dir, bool json,
                std::FILE* out, std::FILE* err, int wake_fd) {
    PrintingSink sink(out, json);
    SettingsController controller(DataFolder{data_dir}, nullptr, nullptr);
    std::unique_ptr<MouseSession> session;
    DeviceListener listener([&session](MouseReport report) { session->on_mouse_report(report); });
    session = std::make_unique<MouseSession>(
        [&device_name] { return open_mouse_link(device_name, SystemClock::instance()); },
        SystemClock::instance(), controller, sink, &listener);
    listener.start();
    if (Status opened = session->open_at_start(); !opened) {
        print_event(out, json, "waiting", "", "Waiting for the mouse: " + opened.message());
    } else {
        print_event(out, json, "watching", "",
                    "Watching the " + session->link()->description() + ". Press Ctrl+C to stop.");
    }

    std::unique_ptr<PlugEventSource> hotplug;
    if (device_name.rfind("sim", 0) != 0) {
        Result<std::unique_ptr<PlugEventSource>> monitor = watch_plug_events();
        if (monitor) {
            hotplug = std::move(*monitor);
            hotplug->remember_present_nodes();
        } else {
            std::fprintf(err, "p330ctl: %s; arrivals and removals will not be seen\n",
                         monitor.error().message.c_str());
        }
    }
    PlugEventHandler plugs(*session);
    using SteadyClock = std::chrono::steady_clock;
    for (;;) {
        pollfd fds[3] = {{wake_fd, POLLIN, 0},
                         {listener.owner_fd(), POLLIN, 0},
                         {hotplug ? hotplug->fd() : -1, POLLIN, 0}};
        const auto settling = plugs.time_left(SteadyClock::now());
        const int timeout = settling ? static_cast<int>(settling->count()) : -1;
        if (::poll(fds, hotplug ? 3 : 2, timeout) < 0 && errno != EINTR) break;
        if (fds[0].revents & POLLIN) break;
        if (fds[1].revents & POLLIN) listener.dispatch();
        if (hotplug && (fds[2].revents & POLLIN))
            plugs.handle(hotplug->receive(), SteadyClock::now());
        plugs.settle(SteadyClock::now());
    }
    listener.stop();
    session.reset();  // it lets go of the listener, which ends before it otherwise
    return kExitOk;
}

DesktopPointerResult apply_desktop_pointer(const PointerValues& values, Language language) {
    // The same backend the window chooses for this desktop.
    const std::unique_ptr<PointerSettings> desktop = desktop_pointer_settings();
    DesktopPointerResult result;
    if (!desktop) {
        result.refused.push_back(
            "the desktop's pointer settings are left alone (P330_POINTER_DESKTOP=none)");
        return result;
    }
    const PointerApplied applied = desktop->apply(values);
    static constexpr std::array<const char*, kPointerSettingCount> kWhat = {
        "pointer acceleration", "pointer speed", "scroll lines", "double-click time"};
    for (std::size_t i = 0; i < kPointerSettingCount; ++i) {
        switch (applied.outcome[i]) {
            case PointerOutcome::kApplied: result.applied.push_back(kWhat[i]); break;
            case PointerOutcome::kRefused:
                result.refused.push_back(std::string("the desktop refused the ") + kWhat[i]);
                break;
            case PointerOutcome::kNoDevice:
                result.refused.push_back(std::string("the ") + kWhat[i] +
                                         " was not set: the desktop does not list this mouse "
                                         "among its input devices");
                break;
            case PointerOutcome::kUnsupported: result.lacking.push_back(kWhat[i]); break;
        }
    }
    // A setting this desktop does not have is not a refusal: it is named once, in the
    // profile's language, as the window names it.
    PointerReport report;
    for (const UserMessage& m : report.messages(applied, language))
        if (m.caption.empty()) result.lacking_note = m.text;
    return result;
}

}  // namespace p330::cli
