#pragma once
// Time as the protocol sees it: its pauses and the timestamps of recorded reports.
// Tests inject a clock that only counts.

#include <atomic>
#include <chrono>
#include <cstdint>

namespace p330 {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::chrono::microseconds now() const = 0;  // since an arbitrary start
    virtual void pause(std::chrono::milliseconds duration) = 0;
};

class SystemClock final : public Clock {
  public:
    std::chrono::microseconds now() const override;
    void pause(std::chrono::milliseconds duration) override;
    static SystemClock& instance();

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Advances only when paused: unit tests run at full speed and see every pause. An upload
// thread and the window's thread may share one.
class ManualClock final : public Clock {
  public:
    std::chrono::microseconds now() const override {
        return std::chrono::microseconds(micros_.load());
    }
    void pause(std::chrono::milliseconds duration) override {
        micros_ += std::chrono::duration_cast<std::chrono::microseconds>(duration).count();
    }

  private:
    std::atomic<std::int64_t> micros_{0};
};

}  // namespace p330
