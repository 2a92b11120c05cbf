#pragma once
// The environment of qx4t-vup on a real machine: the steady clock, waits that a Ctrl-C cuts
// short, port discovery, questions on the terminal, a simulated PLC. Machine.cpp for Linux,
// MachineWin32.cpp for Windows.
#include "cli/Vup.h"

namespace qx4t::cli {

// Expects platform/Quit.h's hook to be installed for Ctrl-C to reach the waits.
[[nodiscard]] Environment MachineEnvironment();

// Process-wide settings the tool needs before it starts talking to a PLC.
void PrepareProcess();

}  // namespace qx4t::cli
