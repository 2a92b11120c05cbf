// qx4t-vup: the firmware version-up of a QX4T PLC from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Machine.h"
#include "platform/Quit.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    qx4t::quit::install();
    qx4t::cli::PrepareProcess();
    qx4t::cli::Environment env = qx4t::cli::MachineEnvironment();
    return qx4t::cli::RunVup(args, std::cout, std::cerr, env);
}
