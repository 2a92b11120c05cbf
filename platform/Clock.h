#pragma once
// The one notion of time shared by the layer's timers, the simulated PLC and the in-process
// ports. The program runs on the steady clock; tests run everything on a VirtualClock so that
// a scenario with a minute of waiting finishes in milliseconds.
#include <chrono>

namespace qx4t {

class Clock {
public:
    using duration = std::chrono::steady_clock::duration;
    using time_point = std::chrono::steady_clock::time_point;

    virtual ~Clock() = default;
    [[nodiscard]] virtual time_point now() const = 0;
};

class SteadyClock final : public Clock {
public:
    [[nodiscard]] time_point now() const override { return std::chrono::steady_clock::now(); }
    // Stateless, so a copy in every module that links it is harmless.
    static SteadyClock& instance() {
        static SteadyClock clock;
        return clock;
    }
};

// Time that moves only when told to.
class VirtualClock final : public Clock {
public:
    [[nodiscard]] time_point now() const override { return now_; }
    void advance(duration d) { now_ += d; }
    void advanceTo(time_point t) {
        if (t > now_)
            now_ = t;
    }

private:
    time_point now_{std::chrono::hours(1)};
};

// A point in time on a given clock after which an operation gives up.
class Deadline {
public:
    Deadline(const Clock& clock, Clock::duration budget)
        : clock_(&clock), end_(clock.now() + budget) {}
    [[nodiscard]] bool expired() const { return clock_->now() >= end_; }
    [[nodiscard]] Clock::duration remaining() const {
        auto left = end_ - clock_->now();
        return left > Clock::duration::zero() ? left : Clock::duration::zero();
    }

private:
    const Clock* clock_;
    Clock::time_point end_;
};

}  // namespace qx4t
