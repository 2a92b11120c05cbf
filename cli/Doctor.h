#pragma once
// `qx4t-vup doctor`: what stands between this user and the PLC's port, one check a line, each
// with the fix in words a technician can follow. The checks are pure decisions on the facts of
// DoctorFacts.h, so that a test states a machine and reads the findings.
#include <string>
#include <vector>

#include "cli/DoctorFacts.h"
#include "cli/Report.h"
#include "cli/Vup.h"

namespace qx4t::cli {

enum class CheckState { Ok, Problem, CannotTell };
// "ok", "problem", "cannot_tell": the JSON values.
[[nodiscard]] const char* CheckStateName(CheckState state);

struct Finding {
    std::string check;  // a stable id: "port", "access", "udev-rule", ...
    std::string port;   // the port it is about; empty for the machine's checks
    CheckState state = CheckState::Ok;
    std::string finding;
    std::string fix;  // empty when nothing is to be done
};

// Whose access the checks are about.
[[nodiscard]] Finding CheckViewer(const MachineFacts& machine);
// The checks of one port, in the order they are shown; a port that is missing or no serial
// device has only the first.
[[nodiscard]] std::vector<Finding> CheckPort(const std::string& port, const DeviceFacts& device,
                                             const MachineFacts& machine);
// The folders, the notes of unverified updates and the simulated-port registry.
[[nodiscard]] std::vector<Finding> CheckMachine(const MachineFacts& machine);
// 0 when nothing stands in the way, 2 when something does.
[[nodiscard]] int DoctorExitCode(const std::vector<Finding>& findings);

// The doctor command: the ports named by --port, else every PLC discovery lists.
[[nodiscard]] int RunDoctor(const Options& options, Reporter& report, Environment& env);

// The message of a port that would not open, ended with the doctor's first problem there
// (unless the message says it already) and the command that shows every check; as it is
// without the doctor's look-ups.
[[nodiscard]] std::string WithDoctorFinding(const Environment& env, const std::string& port,
                                            std::string message);

}  // namespace qx4t::cli
