// The time source of the radio link. Reply time-outs are measured on it, and the simulated
// radio schedules its bytes on it, so tests can run a whole transfer on a manual clock
// without waiting in real time.
#pragma once

#include <chrono>

namespace vgr47 {

class Clock {
public:
    using time_point = std::chrono::steady_clock::time_point;
    using duration = std::chrono::steady_clock::duration;

    virtual ~Clock() = default;
    virtual time_point Now() const = 0;
    // Blocks the calling thread until the given time (returns at once when it has passed).
    virtual void SleepUntil(time_point when) = 0;
};

// std::chrono::steady_clock with real sleeps.
class SteadyClock final : public Clock {
public:
    time_point Now() const override;
    void SleepUntil(time_point when) override;
};

// A clock that only moves when someone sleeps on it: for tests and unpaced simulation.
class ManualClock final : public Clock {
public:
    time_point Now() const override { return now_; }
    void SleepUntil(time_point when) override {
        if (when > now_) now_ = when;
    }
    void Advance(duration by) { now_ += by; }

private:
    time_point now_{};
};

}  // namespace vgr47
