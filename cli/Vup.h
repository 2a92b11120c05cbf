#pragma once
// qx4t-vup as a function: options, streams and the outside world in, an exit code out. The
// program's main() fills the environment with the real machine; tests fill it with the
// in-process simulator on a virtual clock.
#include <chrono>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/DoctorFacts.h"
#include "cli/Options.h"
#include "common/ModelTable.h"
#include "firmware/Images.h"
#include "platform/Clock.h"
#include "platform/PendingUpdates.h"
#include "platform/ports/PortEnumerator.h"

namespace qx4t::cli {

// A simulated PLC that --simulate runs against; stopped when destroyed.
class SimulatedPlc {
public:
    virtual ~SimulatedPlc() = default;
    [[nodiscard]] virtual std::string portName() const = 0;
};

struct Environment {
    const Clock* clock = &SteadyClock::instance();
    // Waits until `until`; false when a quit was requested meanwhile.
    std::function<bool(Clock::time_point until)> waitUntil;
    // Every serial port discovery sees, matching or not.
    std::function<std::vector<ports::PortInfo>()> listPorts;
    // What discovery could not look at, one line each naming the folder and why
    // (ports::enumeratePorts' problems); empty or unset: nothing.
    std::function<std::vector<std::string>()> discoveryProblems;
    // What a --port argument names (ports::deviceNodeOf on the device path), so that an alias
    // is taken for the port discovery lists; empty: names are taken as they are.
    std::function<ports::DeviceNode(const std::string& portName)> deviceNodeOf;
    // Asks a yes/no question; nullopt when nobody can answer (no terminal, or interrupted).
    std::function<std::optional<bool>(const std::string& question)> ask;
    // Redraw the progress in place (stdout is a terminal).
    bool progressInPlace = false;
    // Advice before a port is opened; each may be left empty.
    std::function<bool()> modemManagerRunning;
    std::function<std::string(const std::string& devicePath)> accessAdvice;
    // Starts the PLC for --simulate; null with `error` set when it cannot.
    std::function<std::unique_ptr<SimulatedPlc>(std::string& error)> startSimulator;
    // The image a model takes.
    std::function<firmware::Image(const ModelRow& row)> image;
    // How long the restart polls may go on in all before the update counts as failed; the
    // wizard asks the user instead.
    std::chrono::seconds restartWaitLimit{120};
    // Where the account keeps its own notes of updates begun and not yet verified (those of
    // earlier releases, and all where the machine has no folder of notes); empty: the user's
    // (PendingUpdates, $XDG_STATE_HOME/qx4t).
    std::string stateFolder;
    // The machine's folder of notes, shared by every account; empty: defaultNotesFolder().
    std::string notesFolder;
    // Where an update holds its PLC from the first status read to the verdict against other
    // tools (defaultPlcHoldFolder()); empty: no hold.
    std::string holdFolder;
    // Where each update without --log keeps its run log; empty: none (tests).
    std::string runLogFolder;
    // What the doctor reads of the machine; empty: no doctor (tests of other things).
    DoctorLookups doctor;
};

// The notes of unverified updates as this environment keeps them.
[[nodiscard]] PendingUpdates PendingUpdatesOf(const Environment& env);

[[nodiscard]] int RunVup(const Options& options, std::ostream& out, std::ostream& err,
                         Environment& env);
// Parses, then runs; usage errors give 1.
[[nodiscard]] int RunVup(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                         Environment& env);

}  // namespace qx4t::cli
