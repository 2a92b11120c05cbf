#pragma once
// The machine's serial ports as plain records: the tty devices that sysfs shows with hardware
// behind them, then the virtual ports that simulators register. Matching a PLC among them is
// the link's business (link/PortList.h).
//
// Rules, in the order they apply to each /sys/class/tty entry:
//  - kept only when it has a `device` link (virtual consoles, ptmx and the like have none);
//  - a legacy ttyS port is kept only when its `type` attribute holds a UART type other than 0;
//    the kernel creates ttyS0..N whether or not a UART exists and marks the phantoms with
//    type 0 (or no type at all), and opening one only fails or hangs;
//  - description: the udev property QX4T_DESCRIPTION (set by the rule this tool ships), else
//    the USB product string of the nearest ancestor with an idVendor, else the udev property
//    ID_MODEL_FROM_DATABASE, else the driver's name;
//  - name: serial/by-id/<link> when udev made a stable link to the device (the first in name
//    order), else the kernel name; the link opens "/dev/" + name;
//  - facts that survive a rename (a PLC that restarts and comes back as another tty): for a
//    USB device "usb-serial:<serial number>/<interface>" when it has a serial number and
//    "usb-path:<physical USB path and interface>"; the device number from its `dev` attribute;
//  - identity: chosen among the listed ports by common/PlcIdentity.h (assignIdentities);
//  - devices come in natural order of their kernel names (ttyACM2 before ttyACM10).
// Virtual ports follow, in file-name order of the registry (see registerVirtualPort).
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/PlcIdentity.h"

namespace qx4t::ports {

struct PortInfo {
    std::string name;         // as OpenPort takes it: "ttyACM0", "serial/by-id/...", "pts/7"
    std::string description;  // UTF-8
    std::string driver;       // kernel driver, or "virtual" for a registered port
    bool isVirtual = false;
    // The device behind the name, the same across renames; see the rules above and, for a
    // registered port, its id= line.
    std::string identity{};
    // What the identity is chosen from (common/PlcIdentity.h); empty when unknown.
    std::string serialKey{};
    std::string pathKey{};
    std::string virtualKey{};
    // "<major>:<minor>" of the device node; on Windows the COM name in its one spelling.
    std::string device{};
    IdentityKind identityKind = IdentityKind::Name;
    bool identityUnique = true;
};

[[nodiscard]] PortFacts factsOf(const PortInfo& info);
// Chooses every port's identity among all of them (ChooseIdentity), filling identity,
// identityKind and identityUnique.
void assignIdentities(std::vector<PortInfo>& ports);
// The identity of ports[index] with everything known of it.
[[nodiscard]] PlcIdentity identityAt(const std::vector<PortInfo>& ports, std::size_t index);
// The listed port whose node has device number `device`, or null (also for an empty number).
[[nodiscard]] const PortInfo* findByDevice(const std::vector<PortInfo>& ports,
                                           const std::string& device);

// What discovery tells of the device open now: the listed port with the open descriptor's
// device number, else the one listed under the name it was opened by (unless that one's device
// number differs), else the bare name and number. `listed` tells whether a port was found.
[[nodiscard]] PortFacts openPortFacts(const std::vector<PortInfo>& ports,
                                      const std::string& openDevice, const std::string& openedName,
                                      bool* listed = nullptr);
// The identity of the PLC on the port opened as `openedName`, fixed for the whole version-up.
[[nodiscard]] PlcIdentity identifyOpenPort(const std::vector<PortInfo>& ports,
                                           const std::string& openDevice,
                                           const std::string& openedName);

// The name discovery lists for a port named by hand: without the device prefix ("/dev/",
// "\\.\"), and on Windows a COM name in its one spelling ("com05" is COM5).
[[nodiscard]] std::string portNameOf(const std::string& typed);

// What a port name given by hand names: "/dev/" + name on Linux; on Windows the one spelling of
// a COM name stands for the device number.
struct DeviceNode {
    enum class Kind { Missing, NotSerial, CharDevice };
    Kind kind = Kind::Missing;
    std::string device;  // "<major>:<minor>"; empty where the platform gives none
};
[[nodiscard]] DeviceNode deviceNodeOf(const std::string& path);
// The device number of an open descriptor, empty when it has none.
[[nodiscard]] std::string deviceOfDescriptor(int fd);
// The "port:<name>" keys among `marks` whose name reaches the PLC's device now (an earlier
// release keyed a note by the name it was given, "ttyACM0" for a serial/by-id port); they count
// as the PLC's own, so that no alias hides a half-written PLC.
[[nodiscard]] std::vector<std::string> aliasNoteKeys(
    const PlcIdentity& plc, const std::vector<std::string>& marks,
    const std::function<DeviceNode(const std::string& name)>& nodeOf);

// The identity of a port that has nothing better than its name.
[[nodiscard]] std::string identityOfName(const std::string& name);
// The port that carries `identity` now, or null; null too when several do.
[[nodiscard]] const PortInfo* findByIdentity(const std::vector<PortInfo>& ports,
                                             const std::string& identity);

// Where the PLC a version-up began with is now, so that only that PLC is ever opened.
struct PlcWhereabouts {
    enum class Kind {
        Listed,       // listed under its identity: open `port`, its name now
        NotListed,    // not listed; `port` is the name it had, which nobody else holds
        OtherOnName,  // not listed, and a device of `otherIdentity` now holds its old name
        NameOnly,     // it was never listed (no identity to follow): `port` is all there is
    };
    Kind kind = Kind::NameOnly;
    std::string port;
    std::string otherIdentity;
};
// identity: the PLC's identity when the version-up began, empty when it was not listed then;
// lastName: the name it was opened under last.
[[nodiscard]] PlcWhereabouts locatePlc(const std::vector<PortInfo>& ports,
                                       const std::string& identity, const std::string& lastName);
// The same for a PLC known with all its facts: a port whose serial number matches at another
// physical path is never taken for it.
[[nodiscard]] PlcWhereabouts locatePlc(const std::vector<PortInfo>& ports, const PlcIdentity& plc,
                                       const std::string& lastName);

// Where discovery looks; the defaults are the real machine, tests point them at small trees.
struct DiscoveryRoots {
    std::string sysfs = "/sys";
    std::string udevData = "/run/udev/data";
    std::string devRoot = "/dev";
    std::string registry;  // empty: defaultRegistryFolder()
};

// problems, when given, receives why a part of the machine could not be looked at (the
// registry's folder is another user's), one line each naming the folder; empty when none.
[[nodiscard]] std::vector<PortInfo> enumeratePorts(const DiscoveryRoots& roots = {},
                                                   std::vector<std::string>* problems = nullptr);

// What the udev database says of the character device "<major>:<minor>" (its E: properties and
// its G:/Q: tags) and of the USB device it hangs off; found is false when it has no record.
struct UdevRecord {
    bool found = false;
    std::map<std::string, std::string> properties;
    std::vector<std::string> tags;
    std::map<std::string, std::string> usbProperties;
};
[[nodiscard]] UdevRecord readUdevRecord(const std::string& device,
                                        const DiscoveryRoots& roots = {});

// The virtual-port registry: $XDG_RUNTIME_DIR/qx4t/ports, or /tmp/qx4t-<uid>/ports when
// XDG_RUNTIME_DIR is unset. One file per port, "<something>.port", UTF-8 lines key=value:
// port= the port name, description= the device description, pid= the serving process, id= an
// identity of the device that its server keeps when the port is renamed (the identity is then
// "virtual:<id>"; without the line it is the name's). An entry whose process is gone is
// ignored; a folder that is not private to this user (checkPrivateFolder) is not read;
// unknown keys are skipped. XDG_RUNTIME_DIR counts only when it is this user's own folder.
[[nodiscard]] std::string defaultRegistryFolder();
// Why the registry in `folder` cannot be read, naming the folder; empty when it can, or when
// it does not exist (no port registered yet).
[[nodiscard]] std::string registryProblem(const std::string& folder);
// pids, when given, receives each listed port's serving process, in the same order; problem,
// when given, registryProblem(folder).
[[nodiscard]] std::vector<PortInfo> readVirtualPorts(const std::string& folder,
                                                     std::vector<long>* pids = nullptr,
                                                     std::string* problem = nullptr);

// A port announced in the registry for as long as this object lives.
class VirtualPortRegistration {
public:
    VirtualPortRegistration() = default;
    ~VirtualPortRegistration();
    VirtualPortRegistration(const VirtualPortRegistration&) = delete;
    VirtualPortRegistration& operator=(const VirtualPortRegistration&) = delete;
    VirtualPortRegistration(VirtualPortRegistration&& other) noexcept;
    VirtualPortRegistration& operator=(VirtualPortRegistration&& other) noexcept;

    [[nodiscard]] bool ok() const { return !path_.empty(); }
    // The registry file, empty when registration failed.
    [[nodiscard]] const std::string& path() const { return path_; }
    // Why registration failed, for the simulator's message.
    [[nodiscard]] const std::string& error() const { return error_; }
    // Removes the entry now.
    void remove();

private:
    friend VirtualPortRegistration registerVirtualPort(const std::string&, const std::string&,
                                                       const std::string&, const std::string&);
    std::string path_;
    std::string error_;
};

// Writes the entry atomically (a reader sees all of it or nothing); folder empty: the default,
// created 0700 if missing. id: the device's identity across renames (empty: no id= line).
[[nodiscard]] VirtualPortRegistration registerVirtualPort(const std::string& port,
                                                          const std::string& description,
                                                          const std::string& folder = {},
                                                          const std::string& id = {});

}  // namespace qx4t::ports
