// The environment of qx4t-vup.exe on Windows: the console for questions and progress, SetupAPI
// port discovery, the in-process simulated PLC for --simulate, run logs under the user's local
// application data, the holds on PLCs in the machine-wide folder.
#include <windows.h>

#include <iostream>
#include <string>

#include "cli/Advice.h"
#include "cli/Machine.h"
#include "cli/Simulator.h"
#include "platform/AppFolders.h"
#include "platform/PlcHold.h"
#include "platform/Quit.h"
#include "platform/ports/PortEnumerator.h"

namespace qx4t::cli {
namespace {

bool IsConsole(DWORD stdHandle) {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(stdHandle), &mode) != FALSE;
}

// A yes/no question on the console; nullopt when input is not one or Ctrl-C came meanwhile
// (the console ends the pending read, and the flag tells it from an empty answer).
std::optional<bool> AskOnConsole(const std::string& question) {
    if (!IsConsole(STD_INPUT_HANDLE))
        return std::nullopt;
    std::cerr << question << " [y/N] " << std::flush;
    std::string line;
    const bool got = static_cast<bool>(std::getline(std::cin, line));
    if (quit::requested()) {
        std::cerr << '\n';
        return std::nullopt;
    }
    if (!got)
        return false;  // end of input: no
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line == "y" || line == "Y" || line == "yes" || line == "Yes" || line == "YES";
}

// The in-place progress line uses terminal sequences, which a console takes once asked to.
bool ConsoleCanRedraw() {
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (!::GetConsoleMode(out, &mode))
        return false;
    return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
           ::SetConsoleMode(out, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != FALSE;
}

}  // namespace

void PrepareProcess() {
    // A closed pipe or console makes a write fail here, it does not end the process; nothing
    // to turn off.
}

Environment MachineEnvironment() {
    Environment env;
    env.clock = &SteadyClock::instance();
    env.waitUntil = quit::sleepUntil;
    env.listPorts = [] { return ports::enumeratePorts(); };
    env.deviceNodeOf = [](const std::string& name) { return ports::deviceNodeOf(name); };
    env.ask = AskOnConsole;
    env.progressInPlace = ConsoleCanRedraw();
    env.modemManagerRunning = [] { return ModemManagerRunning(); };
    env.accessAdvice = [](const std::string& devicePath) { return AccessAdvice(devicePath); };
    env.runLogFolder = logFolder();
    env.holdFolder = defaultPlcHoldFolder();
    env.startSimulator = StartInProcessSimulator;
    env.doctor = MachineDoctorLookups();
    return env;
}

}  // namespace qx4t::cli
