#include "platform/sway_pointer.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>

#include "core/device/mouse_nodes.h"
#include "platform/gsettings_pointer.h"
#include "platform/run_tool.h"

namespace p330 {

namespace {

constexpr char kMagic[] = {'i', '3', '-', 'i', 'p', 'c'};
constexpr std::size_t kHeader = sizeof kMagic + 8;
constexpr std::uint32_t kRunCommand = 0;
constexpr std::uint32_t kGetInputs = 100;
constexpr int kLimitMs = 2000;
constexpr std::uint32_t kLargestAnswer = 16u << 20;

// Reads or writes all of buffer before the deadline.
bool transfer(int fd, char* buffer, std::size_t size, bool reading,
              std::chrono::steady_clock::time_point deadline) {
    std::size_t done = 0;
    while (done < size) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd ready{fd, static_cast<short>(reading ? POLLIN : POLLOUT), 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(left.count()));
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0) return false;
        const ssize_t n = reading ? ::read(fd, buffer + done, size - done)
                                  : ::send(fd, buffer + done, size - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The compositor's name for a number: '.' whatever the locale.
std::string number_text(double value) {
    return fixed_text(value);
}

bool is_this_mouse(const JsonValue& input) {
    const JsonValue* vendor = input.member("vendor");
    const JsonValue* product = input.member("product");
    const JsonValue* type = input.member("type");
    return vendor && product && type && vendor->number == kMouseVendor &&
           product->number == kMouseProduct && type->text == "pointer";
}

// The items of an answer that is a list; none for anything else (an error object, no answer).
const std::vector<JsonValue>& list_of(const std::optional<JsonValue>& answer) {
    static const std::vector<JsonValue> kNone;
    return answer && answer->kind == JsonValue::Kind::kArray ? answer->items : kNone;
}

bool all_succeeded(const std::optional<JsonValue>& answer) {
    if (list_of(answer).empty()) return false;
    for (const JsonValue& result : list_of(answer)) {
        const JsonValue* success = result.member("success");
        if (success == nullptr || !success->boolean) return false;
    }
    return true;
}

}  // namespace

std::optional<JsonValue> sway_request(const std::string& socket, std::uint32_t type,
                                      const std::string& payload) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socket.empty() || socket.size() >= sizeof address.sun_path) return std::nullopt;
    std::memcpy(address.sun_path, socket.data(), socket.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLimitMs);
    std::optional<JsonValue> answer;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        std::string message(kMagic, sizeof kMagic);
        const std::uint32_t fields[2] = {static_cast<std::uint32_t>(payload.size()), type};
        message.append(reinterpret_cast<const char*>(fields), sizeof fields);
        message += payload;
        char header[kHeader];
        if (transfer(fd, message.data(), message.size(), false, deadline) &&
            transfer(fd, header, sizeof header, true, deadline) &&
            std::memcmp(header, kMagic, sizeof kMagic) == 0) {
            std::uint32_t length = 0;
            std::memcpy(&length, header + sizeof kMagic, sizeof length);
            std::string body(length <= kLargestAnswer ? length : 0, '\0');
            if (length <= kLargestAnswer && transfer(fd, body.data(), body.size(), true, deadline))
                answer = parse_json(body);
        }
    }
    ::close(fd);
    return answer;
}

std::vector<std::string> sway_input_commands(const std::string& identifier,
                                             const PointerValues& v) {
    const std::string input = "input \"" + identifier + "\" ";
    std::vector<std::string> commands = {
        input + "pointer_accel " + number_text(gnome_pointer_speed(v.speed)),
        input + "accel_profile " + (v.mouse[2] != 0 ? "adaptive" : "flat")};
    // A wheel click scrolls three lines in most programs: the factor scales that.
    if (v.scroll_lines != kScrollOnePage)
        commands.push_back(input + "scroll_factor " + number_text(v.scroll_lines / 3.0));
    return commands;
}

PointerApplied SwayPointer::apply(const PointerValues& v) {
    PointerApplied applied;
    applied[PointerSetting::kDoubleClick] = PointerOutcome::kUnsupported;
    applied[PointerSetting::kScrollLines] =
        v.scroll_lines == kScrollOnePage ? PointerOutcome::kUnsupported : PointerOutcome::kRefused;
    applied[PointerSetting::kMouse] = PointerOutcome::kRefused;
    applied[PointerSetting::kSpeed] = PointerOutcome::kRefused;

    const std::optional<JsonValue> inputs = sway_request(socket_, kGetInputs, "");
    std::vector<std::string> mice;
    for (const JsonValue& input : list_of(inputs)) {
        const JsonValue* identifier = input.member("identifier");
        if (identifier && is_this_mouse(input)) mice.push_back(identifier->text);
    }
    // Without this mouse among the compositor's inputs nothing can be set for it.
    if (mice.empty()) {
        for (const PointerSetting s :
             {PointerSetting::kMouse, PointerSetting::kSpeed, PointerSetting::kScrollLines}) {
            if (applied[s] == PointerOutcome::kRefused) applied[s] = device_outcome(false, false);
        }
        return applied;
    }
    bool sent = true;
    for (const std::string& mouse : mice) {
        std::string commands;
        for (const std::string& command : sway_input_commands(mouse, v))
            commands += (commands.empty() ? "" : "; ") + command;
        sent = all_succeeded(sway_request(socket_, kRunCommand, commands)) && sent;
    }
    if (!sent) return applied;

    const std::optional<JsonValue> after = sway_request(socket_, kGetInputs, "");
    bool speed = after.has_value(), profile = speed, scroll = speed;
    const double wanted_speed = gnome_pointer_speed(v.speed);
    for (const JsonValue& input : list_of(after)) {
        if (!is_this_mouse(input)) continue;
        const JsonValue* libinput = input.member("libinput");
        const JsonValue* accel = libinput ? libinput->member("accel_speed") : nullptr;
        const JsonValue* kind = libinput ? libinput->member("accel_profile") : nullptr;
        const JsonValue* factor = input.member("scroll_factor");
        speed = speed && accel && std::fabs(accel->number - wanted_speed) < 0.006;
        profile = profile && kind && kind->text == (v.mouse[2] != 0 ? "adaptive" : "flat");
        // Some Sway releases do not report the factor: then its "success" is the answer.
        scroll = scroll &&
                 (factor == nullptr || std::fabs(factor->number - v.scroll_lines / 3.0) < 0.01);
    }
    applied[PointerSetting::kSpeed] = applied_or_refused(speed);
    applied[PointerSetting::kMouse] = applied_or_refused(profile);
    if (v.scroll_lines != kScrollOnePage)
        applied[PointerSetting::kScrollLines] = applied_or_refused(scroll);
    return applied;
}

}  // namespace p330
