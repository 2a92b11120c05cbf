#include "tests/support/BoundedWait.h"

#include <thread>

namespace qx4t::test {

bool WaitFor(const std::function<bool()>& condition, std::chrono::steady_clock::duration bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(kWaitPoll);
    }
    return true;
}

}  // namespace qx4t::test
