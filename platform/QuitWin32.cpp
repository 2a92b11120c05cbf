// The quit hook on Windows: the console's control handler runs on a thread of its own, so it
// only sets the flag and an event that the waits watch.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>

#include "platform/Quit.h"

namespace qx4t::quit {
namespace {

// Windows ends the process as soon as the handler returns from the console closing, a log-off
// or a shutdown, and at the latest after about five seconds. Holding the handler this long lets
// the main thread stop its transaction and say what state the PLC is in.
constexpr std::chrono::milliseconds kCloseGrace{4500};

std::atomic<int> g_requested{0};  // 0: none; -1: request(); otherwise the signal number
HANDLE g_event = nullptr;

HANDLE wakeEvent() {
    // Manual reset: once set it stays set until reset(), as the flag does.
    static const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

BOOL WINAPI onControl(DWORD type) {
    const bool ending = type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT;
    g_requested.store(type == CTRL_C_EVENT       ? SIGINT
                      : type == CTRL_BREAK_EVENT ? SIGBREAK
                                                 : SIGTERM);
    if (g_event != nullptr)
        ::SetEvent(g_event);
    // The main thread's exit ends the process, and this wait with it.
    if (ending)
        ::Sleep(static_cast<DWORD>(kCloseGrace.count()));
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
