#include "cli/Machine.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "cli/Advice.h"
#include "cli/Simulator.h"
#include "platform/Quit.h"
#include "platform/StateFolder.h"
#include "platform/ports/PortEnumerator.h"

namespace qx4t::cli {
namespace {

// Sleeps until `until` on the steady clock, waking at once when a quit arrives.
bool WaitOnSteadyClock(Clock::time_point until) {
    for (;;) {
        if (quit::requested())
            return false;
        const auto left = until - SteadyClock::instance().now();
        if (left <= Clock::duration::zero())
            return true;
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        pollfd fd{quit::fd(), POLLIN, 0};
        // The pipe stays readable once written; the flag says whether a quit came.
        (void)::poll(&fd, fd.fd >= 0 ? 1 : 0, static_cast<int>(std::min<long long>(ms, 1000)));
    }
}

// A yes/no question on the terminal; nullopt when stdin is not one or the wait was interrupted.
std::optional<bool> AskOnTerminal(const std::string& question) {
    if (!::isatty(STDIN_FILENO))
        return std::nullopt;
    std::cerr << question << " [y/N] " << std::flush;
    std::string line;
    for (;;) {
        pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {quit::fd(), POLLIN, 0}};
        const int n = ::poll(fds, fds[1].fd >= 0 ? 2 : 1, -1);
        if (quit::requested()) {
            std::cerr << '\n';
            return std::nullopt;
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
            continue;
        char c = 0;
        const ssize_t got = ::read(STDIN_FILENO, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;  // end of input: no
        if (c == '\n')
            break;
        line.push_back(c);
    }
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line == "y" || line == "Y" || line == "yes" || line == "Yes" || line == "YES";
}

bool TerminalCanRedraw() {
    const char* term = std::getenv("TERM");
    return ::isatty(STDOUT_FILENO) && term != nullptr && std::strcmp(term, "dumb") != 0;
}

}  // namespace

Environment MachineEnvironment() {
    Environment env;
    env.clock = &SteadyClock::instance();
    env.waitUntil = WaitOnSteadyClock;
    env.listPorts = [] { return ports::enumeratePorts(); };
    env.ask = AskOnTerminal;
    env.progressInPlace = TerminalCanRedraw();
    env.modemManagerRunning = [] { return ModemManagerRunning(); };
    env.accessAdvice = AccessAdvice;
    env.runLogFolder = stateFolder();
    env.startSimulator = StartPtySimulator;
    return env;
}

}  // namespace qx4t::cli
