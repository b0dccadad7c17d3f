#include "core/session/mouse_session.h"

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
    if (listener_ != nullptr) listener_->set_source(nullptr);
    controller_.set_protocol(nullptr);
    controller_.set_connected(false);
    protocol_.reset();
    link_.reset();
}

void MouseSession::greet() {
    controller_.connect();  // clears the image, 0x82, then 0x01 FC
}

Status MouseSession::open_at_start() {
    if (!open_link()) {
        controller_.set_connected(false);
        return last_error_;
    }
    greet();
    return Status::ok();
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
    sink_.notify(mouse_found_notification(controller_.language()));
    greet();
    const LoadResult loaded = controller_.load_active_profile();
    if (on_profile_reloaded) on_profile_reloaded(loaded);
}

void MouseSession::on_removal() {
    if (held_) {
        waiting_.emplace_back([this] { on_removal(); });
        return;
    }
    if (open_link()) {
        controller_.set_connected(true);  // another of its interfaces is still there
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

void MouseSession::notify_not_detected() {
    sink_.notify(mouse_not_detected_notification(controller_.language()));
}

}  // namespace p330
