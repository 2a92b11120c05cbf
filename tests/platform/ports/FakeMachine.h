#pragma once
// A small machine on disk for discovery tests: a sysfs tree with tty devices, a udev database,
// a /dev with stable links and a registry folder, all under one temporary folder.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/ports/PortEnumerator.h"

namespace qx4t::test {

class FakeMachine {
public:
    FakeMachine() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qx4t-ports-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        for (const auto& dir : {sysfs(), udev(), dev(), registry()}) {
            std::filesystem::create_directories(dir);
        }
        std::filesystem::create_directories(sysfs() / "class" / "tty");
        ::chmod(registry().c_str(), 0700);
    }
    ~FakeMachine() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    FakeMachine(const FakeMachine&) = delete;
    FakeMachine& operator=(const FakeMachine&) = delete;

    std::filesystem::path root() const { return root_; }
    std::filesystem::path sysfs() const { return root_ / "sys"; }
    std::filesystem::path udev() const { return root_ / "run" / "udev" / "data"; }
    std::filesystem::path dev() const { return root_ / "dev"; }
    std::filesystem::path registry() const { return root_ / "registry"; }

    ports::DiscoveryRoots roots() const {
        return {sysfs().string(), udev().string(), dev().string(), registry().string()};
    }

    // A USB device under the host controller, with its product string if given.
    std::filesystem::path usbDevice(const std::string& name,
                                    const std::optional<std::string>& product) {
        const auto dir = sysfs() / "devices" / "pci0000:00" / "0000:00:14.0" / "usb1" / name;
        write(dir / "idVendor", "1234\n");
        if (product) {
            write(dir / "product", *product + "\n");
        }
        return dir;
    }

    // A device of its own (a USB interface, a platform or PnP device) bound to `driver`.
    std::filesystem::path device(const std::filesystem::path& dir, const std::string& driver) {
        std::filesystem::create_directories(dir);
        const auto driverDir = sysfs() / "bus" / "any" / "drivers" / driver;
        std::filesystem::create_directories(driverDir);
        link(dir / "driver", driverDir);
        return dir;
    }

    // A tty of `deviceDir`, listed in /sys/class/tty; `type` is the UART type attribute.
    void tty(const std::string& name, const std::filesystem::path& deviceDir,
             const std::string& devNumber, const std::optional<std::string>& type = {}) {
        const auto dir = deviceDir / "tty" / name;
        write(dir / "dev", devNumber + "\n");
        if (type) {
            write(dir / "type", *type + "\n");
        }
        link(dir / "device", deviceDir);
        link(sysfs() / "class" / "tty" / name, dir);
    }

    // A tty with no hardware behind it (a console, ptmx).
    void virtualTty(const std::string& name, const std::string& devNumber) {
        const auto dir = sysfs() / "devices" / "virtual" / "tty" / name;
        write(dir / "dev", devNumber + "\n");
        link(sysfs() / "class" / "tty" / name, dir);
    }

    void udevProperty(const std::string& devNumber, const std::string& key,
                      const std::string& value) {
        std::ofstream(udev() / ("c" + devNumber), std::ios::app)
            << "E:" << key << "=" << value << "\n";
    }

    void stableLink(const std::string& linkName, const std::string& kernelName) {
        write(dev() / kernelName, "");
        link(dev() / "serial" / "by-id" / linkName, dev() / kernelName);
    }

    void write(const std::filesystem::path& file, const std::string& text) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }

    // Relative, as sysfs and udev make them, so the tree works wherever it lies.
    void link(const std::filesystem::path& at, const std::filesystem::path& target) {
        std::filesystem::create_directories(at.parent_path());
        std::filesystem::create_directory_symlink(
            std::filesystem::relative(target, at.parent_path()), at);
    }

private:
    std::filesystem::path root_;
};

}  // namespace qx4t::test
