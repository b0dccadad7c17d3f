// What the listener does with a report from the mouse's input collection, and the session's
// answer to it: the handshake, then for a DPI switch the reads of the mouse's state, with
// whatever the mouse sends. Never a crash, and no notification shows a DPI the mouse cannot
// have. The input is consumed in order: the report (a length byte, then its bytes), then each
// feature answer (9 bytes) and input report (a length byte, then its bytes) as they are asked.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "core/device/listener.h"
#include "core/device/protocol.h"
#include "core/flows/settings_controller.h"
#include "core/session/mouse_session.h"

namespace {

class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), left_(size) {}
    // The next count bytes, or fewer where the input ends.
    std::span<const std::uint8_t> take(std::size_t count) {
        const std::size_t n = std::min(count, left_);
        std::span<const std::uint8_t> out(data_, n);
        data_ += n;
        left_ -= n;
        return out;
    }
    std::span<const std::uint8_t> take_counted() {
        const auto length = take(1);
        return length.empty() ? length : take(length[0]);
    }
    bool empty() const { return left_ == 0; }

  private:
    const std::uint8_t* data_;
    std::size_t left_;
};

p330::Result<std::size_t> serve(std::span<const std::uint8_t> bytes,
                                std::span<std::uint8_t> report) {
    if (bytes.empty()) return p330::Error{p330::ErrorCode::kTimeout, "silent"};
    const std::size_t n = std::min(bytes.size(), report.size());
    std::copy_n(bytes.begin(), n, report.begin());
    return n;
}

class FuzzedMouse final : public p330::Transport, public p330::MouseLink {
  public:
    explicit FuzzedMouse(Bytes& bytes) : bytes_(bytes) {}
    p330::Status set_feature(std::span<const std::uint8_t>) override { return {}; }
    p330::Status get_feature(std::span<std::uint8_t> report) override {
        const auto answer = bytes_.take(report.size());
        if (answer.size() < report.size()) return p330::Error{p330::ErrorCode::kIo, "short"};
        std::copy(answer.begin(), answer.end(), report.begin());
        return {};
    }
    p330::Status write_output(std::span<const std::uint8_t>) override { return {}; }
    p330::Result<std::size_t> read_input(std::span<std::uint8_t> report,
                                         std::chrono::milliseconds) override {
        return serve(bytes_.take_counted(), report);
    }
    p330::Transport& transport() override { return *this; }
    int input_fd() const override { return -1; }
    p330::Result<std::size_t> read_input_report(std::span<std::uint8_t> report) override {
        return serve(bytes_.take_counted(), report);
    }
    std::string description() const override { return "fuzzed mouse"; }

  private:
    Bytes& bytes_;
};

class CheckingSink final : public p330::NotificationSink {
  public:
    void notify(const p330::Notification& n) override {
        if (n.text.rfind("Switch DPI", 0) != 0) return;
        const std::size_t digits = n.text.find_last_not_of("0123456789") + 1;
        const int dpi = std::atoi(n.text.c_str() + digits);
        if (digits == n.text.size() || dpi <= 0 || dpi > p330::kMaxDpi) std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    FuzzedMouse first(bytes);
    const p330::Result<std::optional<p330::MouseReport>> report = p330::read_mouse_report(first);

    p330::ManualClock clock;
    p330::SettingsController controller(p330::DataFolder{"/nonexistent"}, nullptr, nullptr);
    CheckingSink sink;
    p330::MouseSession session(
        [&bytes]() -> p330::Result<std::unique_ptr<p330::MouseLink>> {
            return std::unique_ptr<p330::MouseLink>(std::make_unique<FuzzedMouse>(bytes));
        },
        clock, controller, sink, nullptr);
    if (!session.open_at_start()) std::abort();
    if (report && *report) session.on_mouse_report(**report);
    return 0;
}
