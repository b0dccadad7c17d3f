#include "core/macro/recorder.h"

#include <algorithm>

#include "core/macro/macro_encoding.h"

namespace p330 {

namespace {

template <typename Key>
bool same_moment(const Key& key, const RecordedKeyEvent& event) {
    return key.stamp != 0 && key.stamp == event.stamp && key.name == event.name;
}

}  // namespace

void MacroRecorder::start(std::vector<std::string>& items) {
    event_count_ = 0;
    keys_down_.clear();
    last_release_.reset();
    last_repeat_.reset();
    items.clear();
    state_ = State::kWaitingForFirstPress;
    recording_ = true;
}

MacroRecorder::Outcome MacroRecorder::feed(const RecordedKeyEvent& event, bool record_delays,
                                           std::vector<std::string>& items) {
    if (!recording_) return Outcome::kDropped;
    // A press of a key that is down is its auto-repeat, also when X11's release and press
    // pair of one moment arrives in either order or undetected as a repeat.
    if (!event.release) {
        if (repeat_pair_press(event, items)) return Outcome::kTakenBack;
        if (event.was_down || is_down(event.name)) {
            last_repeat_ = StampedKey{event.name, event.stamp};
            return Outcome::kDropped;
        }
    } else {
        if (last_repeat_ && same_moment(*last_repeat_, event)) return Outcome::kDropped;
        // A release of the key just recorded that was never down is the tail of a repeat.
        if (event.name == last_key_name_ && !event.was_down) return Outcome::kDropped;
        // A key held when the recording started (the Enter that started it): its release
        // alone would leave the macro releasing a key it never pressed.
        if (!is_down(event.name)) return Outcome::kDropped;
    }

    if (++event_count_ > kMaxEvents) {
        stop();
        return Outcome::kLimitReached;
    }
    const std::size_t items_before = items.size();
    const auto delta = static_cast<std::int32_t>(event.time_ms - last_event_time_);
    const bool first_press = !event.release && state_ == State::kWaitingForFirstPress;
    // Nothing has been timed before the first press: no delay item ahead of it.
    if (record_delays && state_ != State::kWaitingForFirstPress) {
        items.push_back(std::to_string(delta) + " ms");
    }
    items.push_back(event.name + std::string(event.release ? kReleaseMarker : kPressMarker));
    if (first_press) state_ = State::kRecording;
    if (event.release) {
        last_release_ = RecordedRelease{StampedKey{event.name, event.stamp}, items_before,
                                        last_key_name_, last_event_time_};
    } else {
        last_release_.reset();
    }
    set_down(event.name, !event.release);
    last_event_time_ = event.time_ms;
    last_key_name_ = event.name;
    return Outcome::kRecorded;
}

bool MacroRecorder::repeat_pair_press(const RecordedKeyEvent& event,
                                      std::vector<std::string>& items) {
    if (!last_release_ || !same_moment(last_release_->key, event)) return false;
    items.resize(std::min(items.size(), last_release_->items_before));
    last_key_name_ = last_release_->key_name_before;
    last_event_time_ = last_release_->time_before;
    --event_count_;
    set_down(event.name, true);
    last_release_.reset();
    return true;
}

bool MacroRecorder::is_down(const std::string& name) const {
    return std::find(keys_down_.begin(), keys_down_.end(), name) != keys_down_.end();
}

void MacroRecorder::set_down(const std::string& name, bool down) {
    const auto it = std::find(keys_down_.begin(), keys_down_.end(), name);
    if (down && it == keys_down_.end()) keys_down_.push_back(name);
    if (!down && it != keys_down_.end()) keys_down_.erase(it);
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
