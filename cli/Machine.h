#pragma once
// The environment of qx4t-vup on a real machine: the steady clock, waits that a Ctrl-C cuts
// short, sysfs port discovery, questions on the terminal, the pseudo-terminal simulator.
#include "cli/Vup.h"

namespace qx4t::cli {

// Expects platform/Quit.h's hook to be installed for Ctrl-C to reach the waits.
[[nodiscard]] Environment MachineEnvironment();

}  // namespace qx4t::cli
