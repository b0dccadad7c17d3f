#pragma once
// The macro recorder: key events in, item texts out. Presses become "name   Dn", releases
// "name   Up", and with delays recorded the time between accepted events becomes "N ms".

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace p330 {

struct RecordedKeyEvent {
    std::string name;  // the key's name in the key tables' vocabulary
    bool release = false;
    bool was_down = false;  // the key was already down: set on auto-repeat presses
    std::uint32_t time_ms = 0;
    // The window system's own time of the event; 0 when it has none. X11 sends a held key's
    // auto-repeat as a release and a press with the same stamp.
    std::uint64_t stamp = 0;
};

class MacroRecorder {
  public:
    enum class State { kWaitingForFirstPress = 0, kRecording = 1, kStopped = 2 };
    // kTakenBack: the event showed that the release recorded last was half of an auto-repeat
    // pair; it was taken out of the items again.
    enum class Outcome { kDropped, kRecorded, kTakenBack, kLimitReached };
    static constexpr int kMaxEvents = 64;

    // Back to a fresh recorder; done whenever the macro manager opens.
    void reset() { *this = MacroRecorder(); }
    // Clears the item list and starts listening.
    void start(std::vector<std::string>& items);
    // Feeds one key event; kLimitReached means the recording stopped without it (the caller
    // saves the macro as on a stop).
    Outcome feed(const RecordedKeyEvent& event, bool record_delays,
                 std::vector<std::string>& items);
    // Returns whether a recording was running (the caller then saves the macro).
    bool stop();
    // Ctrl+Break ends the recording: the Ctrl press that began the chord, when it is the last
    // item, is taken back with its delay, so the macro never leaves Ctrl held down.
    bool stop_at_break(std::vector<std::string>& items, const std::string& ctrl_name);

    bool recording() const { return recording_; }
    State state() const { return state_; }

  private:
    struct StampedKey {
        std::string name;
        std::uint64_t stamp = 0;
    };
    // What recording the last release changed, so that it can be taken back.
    struct RecordedRelease {
        StampedKey key;
        std::size_t items_before = 0;
        std::string key_name_before;
        std::uint32_t time_before = 0;
    };
    bool is_down(const std::string& name) const;
    void set_down(const std::string& name, bool down);
    bool repeat_pair_press(const RecordedKeyEvent& event, std::vector<std::string>& items);

    bool recording_ = false;
    State state_ = State::kWaitingForFirstPress;
    int event_count_ = 0;
    std::string last_key_name_;
    std::uint32_t last_event_time_ = 0;
    std::vector<std::string> keys_down_;
    std::optional<RecordedRelease> last_release_;  // while it is the last thing recorded
    std::optional<StampedKey> last_repeat_;        // the last press dropped as a repeat
};

}  // namespace p330
