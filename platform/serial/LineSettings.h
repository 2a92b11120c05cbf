#pragma once
// The PLC's line settings as termios flags. Kept apart from TermiosPort.cpp so that the
// compare-before-write rule can be checked on plain structs, without a device.
#include <termios.h>

namespace qx4t::serial::detail {

// What the port must hold: `current` with every field that matters for the PLC's line replaced
// (9600 baud, 8 data bits, odd parity, 1 stop bit, receiver on, modem lines ignored, raw: no
// line editing, echo, signals, translation, output processing or flow control, reads that
// never block). Control characters other than VMIN/VTIME keep their values: with ICANON,
// ISIG and IXON off nothing looks at them.
[[nodiscard]] termios wantedLineSettings(const termios& current);

// True when `have` already holds every field that wantedLineSettings() sets, leaving out the
// control flags in `ignored` (flags that the device cannot hold).
[[nodiscard]] bool lineSettingsMatch(const termios& have, const termios& want,
                                     tcflag_t ignored = 0);

// Control flags a device of this kind drops whatever it is told: a pseudo-terminal carries no
// parity (Linux clears PARENB on its slave side), so asking for it again would fail every time.
[[nodiscard]] tcflag_t unsupportedControlFlags(int fd);

}  // namespace qx4t::serial::detail
