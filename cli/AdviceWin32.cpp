// On Windows a COM port has no group to join and no ModemManager probes it; what is left to
// say is who may hold a busy port.
#include "cli/Advice.h"

namespace qx4t::cli {

std::string AccessAdvice(const std::string&) {
    return {};
}

std::string BusyAdvice(const std::string& devicePath, const std::string& holder) {
    if (holder.starts_with("in use by "))
        return devicePath + " is " + holder + ". Close that program and try again.";
    return devicePath +
           " is in use by another program (the wizard, a terminal program, or another copy of "
           "this tool). Close it and try again.";
}

bool ModemManagerRunning(const std::string&) {
    return false;
}

std::string ModemManagerAdvice(const std::string&) {
    return {};
}

}  // namespace qx4t::cli
