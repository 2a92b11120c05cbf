#pragma once
// What a technician on Linux needs to hear before the tool opens a port: how to get access,
// that another program holds it, or that ModemManager may probe it.
#include <string>

#include "platform/serial/PortAccess.h"

namespace qx4t::cli {

// Empty when this user may read and write the device; otherwise what to do about it.
[[nodiscard]] std::string AccessAdvice(const std::string& devicePath);
// The same from what is known of the device: a group is named only where joining it helps.
[[nodiscard]] std::string AccessAdvice(const std::string& devicePath,
                                       const serial::DeviceAccess& access);
// The advice for a port that another process holds; holder is the port's own account of it
// ("in use by picocom (pid 4242)"), when it has one.
[[nodiscard]] std::string BusyAdvice(const std::string& devicePath, const std::string& holder = {});
// True when a process named ModemManager runs (looked up under procRoot, normally "/proc").
[[nodiscard]] bool ModemManagerRunning(const std::string& procRoot = "/proc");
// The same for any command name as /proc/<pid>/comm gives it.
[[nodiscard]] bool ProcessRunning(const std::string& command,
                                  const std::string& procRoot = "/proc");
// What to do about ModemManager; names the udev rule when it is installed under `root`.
[[nodiscard]] std::string ModemManagerAdvice(const std::string& root = "");
// The installed udev rule for the PLC's port under `root` (a local copy in /etc before the
// package's), or "" when none is installed.
[[nodiscard]] std::string InstalledUdevRule(const std::string& root = "");

}  // namespace qx4t::cli
