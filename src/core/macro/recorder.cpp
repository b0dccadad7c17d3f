#include "core/macro/recorder.h"

#include "core/macro/macro_encoding.h"

namespace p330 {

void MacroRecorder::start(std::vector<std::string>& items) {
    event_count_ = 0;
    items.clear();
    state_ = State::kWaitingForFirstPress;
    recording_ = true;
}

MacroRecorder::Outcome MacroRecorder::feed(const RecordedKeyEvent& event, bool record_delays,
                                           std::vector<std::string>& items) {
    if (!recording_) return Outcome::kDropped;
    const bool same_key = event.name == last_key_name_;
    // A repeated press of the key just recorded is auto-repeat; a release of it that was
    // never down is the tail of one.
    if (same_key && (event.release ? !event.was_down : event.was_down)) return Outcome::kDropped;

    if (++event_count_ > kMaxEvents) {
        stop();
        return Outcome::kLimitReached;
    }
    const auto delta = static_cast<std::int32_t>(event.time_ms - last_event_time_);
    const bool first_press = !event.release && state_ == State::kWaitingForFirstPress;
    // Nothing has been timed before the first press: no delay item ahead of it, also not
    // ahead of a release of a key that was held when the recording started.
    if (record_delays && state_ != State::kWaitingForFirstPress) {
        items.push_back(std::to_string(delta) + " ms");
    }
    items.push_back(event.name + std::string(event.release ? kReleaseMarker : kPressMarker));
    if (first_press) state_ = State::kRecording;
    last_event_time_ = event.time_ms;
    last_key_name_ = event.name;
    return Outcome::kRecorded;
}

bool MacroRecorder::stop_at_break(std::vector<std::string>& items, const std::string& ctrl_name) {
    if (!recording_) return false;
    if (!items.empty() && items.back() == ctrl_name + std::string(kPressMarker)) {
        items.pop_back();
        if (!items.empty() && items.back().find(" ms") != std::string::npos) items.pop_back();
    }
    return stop();
}

bool MacroRecorder::stop() {
    event_count_ = 0;
    if (!recording_) return false;
    recording_ = false;
    state_ = State::kStopped;
    return true;
}

}  // namespace p330
