#pragma once
// The PLC's line settings and time-outs as the Win32 structures. Kept apart from Win32Port.cpp
// so that the compare-before-write rule can be checked on plain structs, without a device.
#include <windows.h>

#include <chrono>

namespace qx4t::serial::detail {

// Read-interval, read-total and write-total time-outs the port is given. The link never lets a
// read wait on them (it reads only what has arrived); they bound a driver that misbehaves.
inline constexpr std::chrono::milliseconds kCommTimeout{5000};
// Input and output queues the driver is asked for.
inline constexpr DWORD kQueueBytes = 4096;

// True when the port already runs at 9600 baud, 8 data bits, odd parity, 1 stop bit.
[[nodiscard]] bool dcbMatches(const DCB& have);
// `have` with exactly those four fields set; flow control and every other field stay as the
// driver has them.
[[nodiscard]] DCB wantedDcb(const DCB& have);

// True when the read-interval and write-total time-outs are already kCommTimeout.
[[nodiscard]] bool timeoutsMatch(const COMMTIMEOUTS& have);
// `have` with the read-interval, read-total and write-total constants set to kCommTimeout; the
// multipliers stay as read.
[[nodiscard]] COMMTIMEOUTS wantedTimeouts(const COMMTIMEOUTS& have);

}  // namespace qx4t::serial::detail
