#pragma once
// Time as the protocol sees it: its pauses and the timestamps of recorded reports.
// Tests inject a clock that only counts.

#include <chrono>

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

// Advances only when paused: unit tests run at full speed and see every pause.
class ManualClock final : public Clock {
  public:
    std::chrono::microseconds now() const override { return now_; }
    void pause(std::chrono::milliseconds duration) override { now_ += duration; }

  private:
    std::chrono::microseconds now_{0};
};

}  // namespace p330
