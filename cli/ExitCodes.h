#pragma once
// What qx4t-vup tells its caller. Scripts depend on these values; they are listed in --help and
// README.md and never change meaning.
namespace qx4t::cli {

inline constexpr int kExitSuccess = 0;  // the PLC runs the target version
inline constexpr int kExitUsage = 1;    // the command line is wrong
inline constexpr int kExitNoPort = 2;   // no PLC, several PLCs, the port cannot be opened, the
                                        // PLC cannot be told apart, or another tool holds it
inline constexpr int kExitRefused = 3;  // a check (model, version, mode) or the user said no
inline constexpr int kExitCommBeforeEntry = 4;  // communication failed; the firmware is untouched
inline constexpr int kExitCommAfterEntry = 5;   // failed from the update-mode entry on: run again
inline constexpr int kExitWrongVersion = 6;     // the PLC restarted with another version
inline constexpr int kExitInterrupted = 130;    // Ctrl-C or SIGTERM

}  // namespace qx4t::cli
