#pragma once
// Time for the dialogs: one clock, one timer queue and one event pump for the whole process.
//
// Dialog timers behave as the wizard's pages expect of window timers: periodic until killed,
// a timer that comes due late fires once (not once per missed period), and a handler that
// pumps events (the link does while it waits for the PLC) can be entered again by its own
// timer. Qt never re-enters a QTimer whose slot is still running, so the queue fires due
// timers itself whenever the pump runs; one QTimer only wakes the event loop at the next due
// time. In tests a VirtualClock drives the queue (VirtualTime.h) and no QTimer is used.
#include <chrono>
#include <optional>

#include "platform/Clock.h"
#include "platform/serial/SerialPort.h"

namespace qx4t::ui {

class Dialog;

// The clock that the timers run on: the steady clock unless a test installs another.
[[nodiscard]] const Clock& clock();
// Null restores the steady clock. The queue is re-timed from the new clock's now.
void setClock(const Clock* clock);
[[nodiscard]] bool usingSteadyClock();

class TimerQueue {
public:
    static TimerQueue& instance();

    // Arms (or re-arms from now) the owner's timer id with the period; a period under 1 ms
    // counts as 1 ms so that a handler can never spin the queue.
    void set(Dialog* owner, int id, std::chrono::milliseconds period);
    // False when no such timer was armed.
    bool kill(const Dialog* owner, int id);
    void killAll(const Dialog* owner);
    [[nodiscard]] bool armed(const Dialog* owner) const;
    [[nodiscard]] bool armed(const Dialog* owner, int id) const;
    [[nodiscard]] std::optional<Clock::time_point> nextDue() const;

    // Fires every timer that is due now, each once, earliest first. Returns how many fired.
    int fireDue();

private:
    TimerQueue() = default;
};

// One turn of the event pump, as the link calls it once per poll while it waits: fires the
// due timers, processes the Qt events that are pending, and returns true when a quit has been
// requested (SIGINT, SIGTERM or requestQuit()).
[[nodiscard]] bool pumpOnce();

// Waits up to `timeout` for input on the port with the event loop running, so that the window
// paints and answers accessibility queries at once rather than at the next pump; then reports
// as the port's own wait does. On a test's virtual clock it is the port's own wait.
[[nodiscard]] serial::WaitStatus waitForPort(serial::SerialPort& port,
                                             std::chrono::milliseconds timeout);

// Watches platform/Quit.h's self-pipe in the Qt event loop: a quit ends every modal run with
// IDCANCEL. Installed by the first modal run; safe to call more than once.
void installQuitHook();
// Asks the process to quit, as a signal would.
void requestQuit();
[[nodiscard]] bool quitRequested();
// Forgets a quit request (tests).
void resetQuit();

}  // namespace qx4t::ui
