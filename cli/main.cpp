// qx4t-vup: the firmware version-up of a QX4T PLC from the command line.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Advice.h"
#include "cli/Simulator.h"
#include "cli/Vup.h"
#include "platform/Quit.h"
#include "platform/ports/PortEnumerator.h"

namespace {

using qx4t::Clock;

// Sleeps until `until` on the steady clock, waking at once when a quit arrives.
bool WaitOnSteadyClock(Clock::time_point until) {
    for (;;) {
        if (qx4t::quit::requested())
            return false;
        const auto left = until - qx4t::SteadyClock::instance().now();
        if (left <= Clock::duration::zero())
            return true;
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        pollfd fd{qx4t::quit::fd(), POLLIN, 0};
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
        pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {qx4t::quit::fd(), POLLIN, 0}};
        const int n = ::poll(fds, fds[1].fd >= 0 ? 2 : 1, -1);
        if (qx4t::quit::requested()) {
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

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    qx4t::quit::install();

    qx4t::cli::Environment env;
    env.clock = &qx4t::SteadyClock::instance();
    env.waitUntil = WaitOnSteadyClock;
    env.listPorts = [] { return qx4t::ports::enumeratePorts(); };
    env.ask = AskOnTerminal;
    env.progressInPlace = TerminalCanRedraw();
    env.modemManagerRunning = [] { return qx4t::cli::ModemManagerRunning(); };
    env.accessAdvice = qx4t::cli::AccessAdvice;
    env.startSimulator = qx4t::cli::StartPtySimulator;
    return qx4t::cli::RunVup(args, std::cout, std::cerr, env);
}
