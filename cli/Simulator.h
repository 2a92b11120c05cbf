#pragma once
// --simulate: the simulated PLC served on a pseudo-terminal inside this process.
#include <memory>
#include <string>

#include "cli/Vup.h"

namespace qx4t::cli {

[[nodiscard]] std::unique_ptr<SimulatedPlc> StartPtySimulator(std::string& error);

}  // namespace qx4t::cli
