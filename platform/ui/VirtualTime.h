#pragma once
// Runs the layer's timers on a virtual clock, for tests: time moves only here and in the
// fakes that share the clock, so a minute of waiting passes in microseconds.
#include <functional>

#include "platform/Clock.h"

namespace qx4t::ui {

class VirtualTime {
public:
    // Installs the clock as the layer's clock; the destructor puts the steady clock back.
    explicit VirtualTime(VirtualClock& clock);
    ~VirtualTime();
    VirtualTime(const VirtualTime&) = delete;
    VirtualTime& operator=(const VirtualTime&) = delete;

    VirtualClock& clock() { return clock_; }

    // Moves time forward by d, stopping at each timer that comes due on the way to fire it.
    void runFor(Clock::duration d);
    // Same, but stops as soon as done() holds; false when the bound passed first.
    bool runUntil(const std::function<bool()>& done, Clock::duration bound);

private:
    VirtualClock& clock_;
};

}  // namespace qx4t::ui
