#pragma once
// A request to quit (SIGINT, SIGTERM, or the program asking itself) reaches the rest of the
// process through one flag and one self-pipe: the signal handler only writes a byte, so the
// link's wait and the GUI's event loop notice it at their next look. On Windows the console's
// control handler (Ctrl-C, Ctrl-Break, the console closing) sets the flag and an event instead.
#include "platform/Clock.h"

namespace qx4t::quit {

// Installs the SIGINT and SIGTERM handlers and creates the pipe (on Windows: the console
// control handler); safe to call more than once.
void install();
// True once a quit has been requested and until reset().
[[nodiscard]] bool requested();
// The signal number that asked, or 0 when the request came from request().
[[nodiscard]] int signalNumber();
// Asks to quit from inside the process (tests, the window system closing the session).
void request();
// Forgets an earlier request and drains the pipe.
void reset();
// The reading end of the self-pipe (close-on-exec, non-blocking) for an event loop to watch;
// -1 before install(), and always on Windows.
[[nodiscard]] int fd();
// Sleeps on the steady clock until `until`; false as soon as a quit is requested.
[[nodiscard]] bool sleepUntil(Clock::time_point until);

}  // namespace qx4t::quit
