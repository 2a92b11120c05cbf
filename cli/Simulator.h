#pragma once
// --simulate: the simulated PLC inside this process, on a pseudo-terminal (Linux) or behind an
// in-process port (Windows, which has no pseudo-terminals).
#include <memory>
#include <string>

#include "cli/Vup.h"

namespace qx4t::cli {

[[nodiscard]] std::unique_ptr<SimulatedPlc> StartPtySimulator(std::string& error);
// Puts every link of the process on the in-process port until the PLC is destroyed.
[[nodiscard]] std::unique_ptr<SimulatedPlc> StartInProcessSimulator(std::string& error);

}  // namespace qx4t::cli
