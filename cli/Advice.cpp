#include "cli/Advice.h"

#include <dirent.h>
#include <sys/stat.h>

#include <fstream>

namespace qx4t::cli {

namespace {

std::string SeatAccessAdvice(const std::string& rule) {
    if (rule.empty()) {
        return " At the computer's seat, the package qx4t-udev gives access without the group.";
    }
    return " At the computer's seat, the udev rule " + rule +
           " gives access without the group: plug the PLC in again if it was attached before "
           "the rule was installed.";
}

}  // namespace

std::string AccessAdvice(const std::string& devicePath) {
    return AccessAdvice(devicePath, serial::deviceAccess(devicePath));
}

std::string AccessAdvice(const std::string& devicePath, const serial::DeviceAccess& access) {
    if (!access.denied)
        return {};
    const std::string& group = access.group;
    if (access.groupWouldHelp && access.memberNotInSession) {
        return "permission denied on " + devicePath + ". You are in the group '" + group +
               "' that owns it, but this login session started before you joined: log out and in "
               "again (or run 'newgrp " +
               group + "').";
    }
    if (access.groupWouldHelp) {
        return "permission denied on " + devicePath + ". Serial ports belong to the group '" +
               group + "': add yourself with 'sudo usermod -aG " + group +
               " $USER', then log out and in again (or run 'newgrp " + group + "')." +
               SeatAccessAdvice(InstalledUdevRule());
    }
    // No group may open it (root's own 0600 device, for one): joining a group would not help.
    const std::string rule = InstalledUdevRule();
    if (!rule.empty()) {
        return "permission denied on " + devicePath +
               ", and no group gives access to it. The udev "
               "rule " +
               rule +
               " gives the PLC to the user at the desk: plug the PLC in again; if "
               "it still is refused, complete the rule with the PLC's USB ids "
               "(/usr/share/doc/qx4t-udev/README).";
    }
    return "permission denied on " + devicePath +
           ", and no group gives access to it. Install the package qx4t-udev, whose udev rule "
           "gives the PLC to the user at the desk (from the source tree: 'sudo cp "
           "packaging/udev/70-qx4t-plc.rules /etc/udev/rules.d/ && sudo udevadm control --reload "
           "&& sudo udevadm trigger'), then plug the PLC in again (see README.md).";
}

std::string BusyAdvice(const std::string& devicePath, const std::string& holder) {
    if (holder.starts_with("in use by ")) {
        return devicePath + " is " + holder + ". Close that program and try again.";
    }
    if (holder.starts_with("may be in use")) {
        return devicePath + " " + holder +
               " that you cannot see (another user's, or a system service such as ModemManager). "
               "Close it and try again; 'sudo fuser -v " +
               devicePath + "' shows who holds it.";
    }
    return devicePath +
           " is in use by another program (the wizard, a terminal program, or ModemManager). "
           "Close it and try again; 'fuser -v " +
           devicePath + "' shows who holds it.";
}

bool ModemManagerRunning(const std::string& procRoot) {
    return ProcessRunning("ModemManager", procRoot);
}

bool ProcessRunning(const std::string& wanted, const std::string& procRoot) {
    DIR* dir = ::opendir(procRoot.c_str());
    if (dir == nullptr)
        return false;
    bool found = false;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream comm(procRoot + "/" + name + "/comm");
        std::string command;
        if (std::getline(comm, command) && command == wanted) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string InstalledUdevRule(const std::string& root) {
    // A copy in /etc, completed with the PLC's ids, takes the place of the package's.
    for (const char* path :
         {"/etc/udev/rules.d/70-qx4t-plc.rules", "/usr/lib/udev/rules.d/70-qx4t-plc.rules"}) {
        struct stat st {};
        if (::stat((root + path).c_str(), &st) == 0)
            return path;
    }
    return {};
}

std::string ModemManagerAdvice(const std::string& root) {
    const std::string rule = InstalledUdevRule(root);
    const std::string risk =
        "ModemManager is running and may probe the PLC's port while this tool talks to it, "
        "which can break the version-up. ";
    if (!rule.empty()) {
        return risk + "The udev rule " + rule +
               " keeps it away from ports whose USB product string begins with 'TEMLO PLC' or "
               "'Brevantis E': plug the PLC in again if it was attached before the rule was "
               "installed; if your PLC reports another product string, complete the rule with its "
               "USB ids (/usr/share/doc/qx4t-udev/README).";
    }
    return risk +
           "Install the package qx4t-udev, whose udev rule marks the PLC with "
           "ID_MM_DEVICE_IGNORE (from the source tree: 'sudo cp packaging/udev/70-qx4t-plc.rules "
           "/etc/udev/rules.d/ && sudo udevadm control --reload && sudo udevadm trigger'), then "
           "plug the PLC in again.";
}

}  // namespace qx4t::cli
