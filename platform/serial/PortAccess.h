#pragma once
// Who may use a serial device and who already does: the two causes behind most ports that will
// not open on a desktop, told apart so that the user hears the right remedy.
#include <string>
#include <vector>

namespace qx4t::serial {

// Whether this user may read and write the device, and what would give access.
struct DeviceAccess {
    bool denied = false;  // the user may not open it for reading and writing
    std::string group;    // the group that owns the device; empty when it cannot be told
    // Membership of the owning group would give access: the group may read and write the
    // device, and it is not root's own group (no advice should make anyone a member of that).
    bool groupWouldHelp = false;
    // The user is a member in the group database already, but this login session started
    // before that and does not carry the group yet.
    bool memberNotInSession = false;
};

[[nodiscard]] DeviceAccess deviceAccess(const std::string& devicePath);

// A process other than this one that has the device open.
struct PortHolder {
    long pid = 0;
    std::string command;  // its name as /proc/<pid>/comm gives it
};

struct PortHolders {
    std::vector<PortHolder> holders;
    // Some processes' open files are hidden from this user (another user's, with /proc's
    // usual rules): a holder among them cannot be seen.
    bool someHidden = false;
};

// Looks through /proc/<pid>/fd of every process this user may inspect. The device's own server
// does not count: for a pseudo-terminal the process that holds its master side (which may hold
// the slave side open too), and any process in `servers` (a registered port's pid=). Neither
// does this process.
[[nodiscard]] PortHolders findPortHolders(const std::string& devicePath,
                                          const std::vector<long>& servers = {},
                                          const std::string& procRoot = "/proc");

// "picocom (pid 4242), screen (pid 4250)".
[[nodiscard]] std::string describeHolders(const std::vector<PortHolder>& holders);

}  // namespace qx4t::serial
