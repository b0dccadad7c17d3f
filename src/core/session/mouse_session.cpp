#include "core/session/mouse_session.h"

#include <utility>

namespace p330 {

MouseSession::~MouseSession() {
    if (listener_ != nullptr) listener_->set_source(nullptr);
}

bool MouseSession::open_link() {
    Result<std::unique_ptr<MouseLink>> opened = opener_();
    if (!opened) {
        last_error_ = opened.error();
        return false;
    }
    if (listener_ != nullptr) listener_->set_source(nullptr);  // before the old link goes
    link_ = std::move(*opened);
    protocol_ = std::make_unique<CommandProtocol>(link_->transport(), clock_);
    controller_.set_protocol(protocol_.get());
    if (listener_ != nullptr) listener_->set_source(link_.get());
    return true;
}

void MouseSession::drop_link() {
    waiting_until_free_ = false;
    if (listener_ != nullptr) listener_->set_source(nullptr);
    controller_.set_protocol(nullptr);
    controller_.set_connected(false);
    protocol_.reset();
    link_.reset();
}

bool MouseSession::greet() {
    const Status greeted = controller_.connect().status();  // clears the image, 0x82, 0x01 FC
    waiting_until_free_ = !greeted && greeted.error().code == ErrorCode::kBusy;
    if (!waiting_until_free_) return true;
    // Nothing reached the mouse: it is there, but not ours to talk to yet.
    controller_.set_connected(false);
    if (on_waiting_until_free) on_waiting_until_free();
    return false;
}

Status MouseSession::open_at_start() {
    if (!open_link()) {
        controller_.set_connected(false);
        return last_error_;
    }
    (void)greet();
    return Status::ok();
}

bool MouseSession::retry_when_free() {
    if (!waiting_until_free_ || held_ || link_ == nullptr) return connected();
    if (!greet()) return false;
    sink_.notify(mouse_found_notification(controller_.language()));
    if (std::exchange(reload_when_free_, false)) reload_after_arrival();
    return true;
}

void MouseSession::reload_after_arrival() {
    const LoadResult loaded = controller_.load_active_profile();
    if (on_profile_reloaded) on_profile_reloaded(loaded);
}

void MouseSession::release_link() {
    held_ = false;
    std::vector<std::function<void()>> waiting = std::move(waiting_);
    waiting_.clear();
    for (const std::function<void()>& run : waiting) run();
}

void MouseSession::on_arrival() {
    if (held_) {
        waiting_.emplace_back([this] { on_arrival(); });
        return;
    }
    if (!open_link()) {
        sink_.notify(mouse_not_detected_notification(controller_.language()));
        if (on_arrival_failed) on_arrival_failed();
        drop_link();
        return;
    }
    if (!greet()) {  // there, but held by another program: not "not detected"
        reload_when_free_ = true;
        sink_.notify(mouse_in_use_notification(controller_.language()));
        return;
    }
    sink_.notify(mouse_found_notification(controller_.language()));
    reload_after_arrival();
}

void MouseSession::on_removal() {
    if (held_) {
        waiting_.emplace_back([this] { on_removal(); });
        return;
    }
    if (open_link()) {
        // Another of its interfaces is still there (still to be greeted when it was in use).
        if (!waiting_until_free_) controller_.set_connected(true);
        return;
    }
    sink_.notify(mouse_not_detected_notification(controller_.language()));
    drop_link();
}

void MouseSession::on_mouse_report(MouseReport report) {
    if (held_) {
        waiting_.emplace_back([this, report] { on_mouse_report(report); });
        return;
    }
    const Language language = controller_.language();
    if (report.type >= 1 && report.type <= 3) {
        if (report.value < 1 || report.value > 6 || protocol_ == nullptr) return;
        DeviceImage& image = controller_.image();
        // What did not arrive, or what the mouse cannot mean, is not shown as its DPI.
        if (!read_mouse_state(*protocol_, image).ok()) return;
        if (!check_mouse_answer(image, report.value, report.value)) return;
        // The mouse's block is read into entry 0, so the stage is looked up there.
        sink_.notify(
            dpi_stage_notification(language, report.value, stage_dpi(image, 0, report.value)));
    } else if (report.type == kEventMacroKey) {
        if (report.value != 0) sink_.notify(macro_key_notification(language, report.value));
    }
}

void MouseSession::notify_not_connected() {
    const Language language = controller_.language();
    sink_.notify(waiting_until_free_ ? mouse_in_use_notification(language)
                                     : mouse_not_detected_notification(language));
}

}  // namespace p330
