// The quit hook on Windows: the console's control handler runs on a thread of its own, so it
// only sets the flag and an event that the waits watch.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <csignal>

#include "platform/Quit.h"

namespace qx4t::quit {
namespace {

std::atomic<int> g_requested{0};  // 0: none; -1: request(); otherwise the signal number
HANDLE g_event = nullptr;

HANDLE wakeEvent() {
    // Manual reset: once set it stays set until reset(), as the flag does.
    static const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

BOOL WINAPI onControl(DWORD type) {
    switch (type) {
        case CTRL_C_EVENT:
            g_requested.store(SIGINT);
            break;
        case CTRL_BREAK_EVENT:
            g_requested.store(SIGBREAK);
            break;
        default:  // the console closing, the user logging off, the system shutting down
            g_requested.store(SIGTERM);
            break;
    }
    if (g_event != nullptr)
        ::SetEvent(g_event);
    return TRUE;
}

}  // namespace

void install() {
    g_event = wakeEvent();
    static const bool installed = ::SetConsoleCtrlHandler(onControl, TRUE) != FALSE;
    (void)installed;
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
    if (HANDLE event = wakeEvent())
        ::SetEvent(event);
}

void reset() {
    g_requested.store(0);
    if (HANDLE event = wakeEvent())
        ::ResetEvent(event);
}

int fd() {
    return -1;
}

bool sleepUntil(Clock::time_point until) {
    for (;;) {
        if (requested())
            return false;
        const auto left = until - SteadyClock::instance().now();
        if (left <= Clock::duration::zero())
            return true;
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        const auto wait = static_cast<DWORD>(std::min<long long>(ms, 1000));
        if (HANDLE event = wakeEvent())
            ::WaitForSingleObject(event, wait);
        else
            ::Sleep(wait);
    }
}

}  // namespace qx4t::quit
