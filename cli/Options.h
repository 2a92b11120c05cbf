#pragma once
// The command line of qx4t-vup.
#include <string>
#include <vector>

namespace qx4t::cli {

enum class Command { Help, Version, Ports, Status, Update, Doctor };

struct Options {
    Command command = Command::Help;
    std::string port;  // empty: the one PLC that discovery finds
    bool all = false;
    bool json = false;
    bool yes = false;
    bool allowModeChange = false;
    bool simulate = false;
    std::string logFile;
};

struct ParseResult {
    Options options;
    std::string error;  // non-empty: a usage error, to be shown with the usage line
    [[nodiscard]] bool ok() const { return error.empty(); }
};

// args excludes the program name.
[[nodiscard]] ParseResult ParseOptions(const std::vector<std::string>& args);

// The text of --help, exit codes included.
[[nodiscard]] std::string HelpText();
[[nodiscard]] std::string UsageLine();

}  // namespace qx4t::cli
