#pragma once
// The tests' one wait for what they cannot be told about (another process, a server thread):
// the condition is polled on the machine's clock until it holds or the bound passes, so a
// loaded machine gets its time and a hang still fails.
#include <chrono>
#include <functional>

namespace qx4t::test {

inline constexpr std::chrono::milliseconds kWaitPoll{2};

// False when the bound passed first.
[[nodiscard]] bool WaitFor(const std::function<bool()>& condition,
                           std::chrono::steady_clock::duration bound);

}  // namespace qx4t::test
