#include "cli/Machine.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "cli/Advice.h"
#include "cli/Simulator.h"
#include "platform/AppFolders.h"
#include "platform/PlcHold.h"
#include "platform/Quit.h"
#include "platform/ports/PortEnumerator.h"

namespace qx4t::cli {
namespace {

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

void PrepareProcess() {
    // A reader that goes away (`| head`, a dropped log pipe) costs the progress lines, never the
    // run: being killed mid-transfer would leave the PLC in its update mode.
    std::signal(SIGPIPE, SIG_IGN);
    // Likewise a dropped SSH session or a closed terminal: the update goes on to its end, and
    // a prompt that can no longer be answered reads as "no".
    std::signal(SIGHUP, SIG_IGN);
}

Environment MachineEnvironment() {
    Environment env;
    env.clock = &SteadyClock::instance();
    env.waitUntil = quit::sleepUntil;
    env.listPorts = [] { return ports::enumeratePorts(); };
    env.discoveryProblems = [] {
        std::vector<std::string> problems;
        (void)ports::enumeratePorts({}, &problems);
        return problems;
    };
    env.deviceNodeOf = [](const std::string& name) { return ports::deviceNodeOf("/dev/" + name); };
    env.ask = AskOnTerminal;
    env.progressInPlace = TerminalCanRedraw();
    env.modemManagerRunning = [] { return ModemManagerRunning(); };
    env.accessAdvice = [](const std::string& devicePath) { return AccessAdvice(devicePath); };
    env.runLogFolder = stateFolder();
    env.holdFolder = defaultPlcHoldFolder();
    env.startSimulator = StartPtySimulator;
    env.doctor = MachineDoctorLookups();
    return env;
}

}  // namespace qx4t::cli
