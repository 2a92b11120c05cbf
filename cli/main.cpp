// qx4t-vup: the firmware version-up of a QX4T PLC from the command line.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Machine.h"
#include "platform/Quit.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    qx4t::quit::install();
    // A reader that goes away (`| head`, a dropped log pipe) costs the progress lines, never the
    // run: being killed mid-transfer would leave the PLC in its update mode.
    std::signal(SIGPIPE, SIG_IGN);
    // Likewise a dropped SSH session or a closed terminal: the update goes on to its end, and
    // a prompt that can no longer be answered reads as "no".
    std::signal(SIGHUP, SIG_IGN);
    qx4t::cli::Environment env = qx4t::cli::MachineEnvironment();
    return qx4t::cli::RunVup(args, std::cout, std::cerr, env);
}
