#include "platform/Quit.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

namespace qx4t::quit {
namespace {

std::atomic<int> g_requested{0};  // 0: none; -1: request(); otherwise the signal number
int g_pipe[2] = {-1, -1};

void wake() {
    if (g_pipe[1] >= 0) {
        const char byte = 'q';
        // A full pipe already holds a wake-up; nothing is lost by dropping this one.
        [[maybe_unused]] auto n = ::write(g_pipe[1], &byte, 1);
    }
}

void onSignal(int sig) {
    const int savedErrno = errno;
    g_requested.store(sig);
    wake();
    errno = savedErrno;
}

}  // namespace

void install() {
    if (g_pipe[0] < 0) {
        if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
            g_pipe[0] = g_pipe[1] = -1;
        }
    }
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
}

bool requested() {
    return g_requested.load() != 0;
}

int signalNumber() {
    const int v = g_requested.load();
    return v > 0 ? v : 0;
}

void request() {
    g_requested.store(-1);
    wake();
}

void reset() {
    g_requested.store(0);
    if (g_pipe[0] >= 0) {
        char buf[64];
        while (::read(g_pipe[0], buf, sizeof buf) > 0) {
        }
    }
}

int fd() {
    return g_pipe[0];
}

bool sleepUntil(Clock::time_point until) {
    for (;;) {
        if (requested())
            return false;
        const auto left = until - SteadyClock::instance().now();
        if (left <= Clock::duration::zero())
            return true;
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        pollfd p{fd(), POLLIN, 0};
        // The pipe stays readable once written; the flag says whether a quit came.
        (void)::poll(&p, p.fd >= 0 ? 1 : 0, static_cast<int>(std::min<long long>(ms, 1000)));
    }
}

}  // namespace qx4t::quit
