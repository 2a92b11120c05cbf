// Port discovery on Windows: the present devices of the setup class "Ports", each with the
// "PortName" value of its hardware key (COM3, in its one spelling) and its device description;
// what survives a rename comes from the USB device above the port (common/WindowsPorts.h):
// its serial number from the instance ids, its place from its location path. Where SetupAPI
// lists no port at all (Wine registers none), the COM names of the serial device map are
// listed without description, so that none is ever taken for a PLC by itself. Matching a PLC
// among them is the link's business, as on Linux.
#include <windows.h>
// setupapi.h and cfgmgr32.h need windows.h first.
#include <cfgmgr32.h>
#include <setupapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/WindowsPorts.h"
#include "platform/ports/PortEnumerator.h"
#include "platform/serial/SerialPort.h"
#include "platform/text/Utf8.h"

namespace qx4t::ports {
namespace {

// "PortName" is read into this many bytes; the last character always stays a terminator.
constexpr DWORD kPortNameBytes = 256;

class DeviceList {
public:
    explicit DeviceList(HDEVINFO set) : m_set(set) {}
    ~DeviceList() {
        if (m_set != INVALID_HANDLE_VALUE)
            ::SetupDiDestroyDeviceInfoList(m_set);
    }
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;
    [[nodiscard]] HDEVINFO get() const { return m_set; }

private:
    HDEVINFO m_set;
};

std::wstring portName(HDEVINFO set, SP_DEVINFO_DATA& device) {
    HKEY key =
        ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    wchar_t name[kPortNameBytes / sizeof(wchar_t)] = {};
    DWORD type = 0;
    DWORD bytes = kPortNameBytes - sizeof(wchar_t);
    const LONG status =
        ::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &bytes);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return {};
    return name;
}

// A text property of the device, or nothing when it cannot be read.
bool textProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property, std::wstring& text) {
    DWORD required = 0;
    std::vector<BYTE> buffer;
    // The size may change between the calls (a driver being installed): ask until it fits.
    while (!::SetupDiGetDeviceRegistryPropertyW(set, &device, property, nullptr,
                                                buffer.empty() ? nullptr : buffer.data(),
                                                static_cast<DWORD>(buffer.size()), &required)) {
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || required <= buffer.size())
            return false;
        buffer.assign(required, 0);
    }
    // Room for a terminator the registry did not store.
    buffer.resize(buffer.size() + sizeof(wchar_t), 0);
    text.assign(reinterpret_cast<const wchar_t*>(buffer.data()));
    return true;
}

// How far up from a port its USB device may be: the port, an interface, the device.
constexpr int kNodesAbovePort = 3;
// Value names and data of the serial device map are short; a longer one is not read.
constexpr DWORD kMapTextChars = 256;

std::string instanceId(DEVINST node) {
    wchar_t id[MAX_DEVICE_ID_LEN + 1] = {};
    if (::CM_Get_Device_IDW(node, id, MAX_DEVICE_ID_LEN, 0) != CR_SUCCESS)
        return {};
    return wideToUtf8(id);
}

// The first of the node's location paths ("PCIROOT(0)#PCI(1400)#USBROOT(0)#USB(2)"), or empty.
std::string firstLocationPath(DEVINST node) {
    ULONG type = 0;
    ULONG bytes = 0;
    if (::CM_Get_DevNode_Registry_PropertyW(node, CM_DRP_LOCATION_PATHS, &type, nullptr, &bytes,
                                            0) != CR_BUFFER_SMALL ||
        bytes == 0)
        return {};
    // Two terminators more than asked for: the list ends with an empty string.
    std::vector<wchar_t> paths(bytes / sizeof(wchar_t) + 2, L'\0');
    if (::CM_Get_DevNode_Registry_PropertyW(node, CM_DRP_LOCATION_PATHS, &type, paths.data(),
                                            &bytes, 0) != CR_SUCCESS ||
        type != REG_MULTI_SZ)
        return {};
    return wideToUtf8(paths.data());
}

// The serial number and place of the USB device the port belongs to, when it is on USB.
void usbFacts(DEVINST port, PortInfo& info) {
    std::vector<std::string> chain;
    std::vector<DEVINST> nodes;
    DEVINST node = port;
    for (int i = 0; i < kNodesAbovePort; ++i) {
        std::string id = instanceId(node);
        if (id.empty())
            break;
        chain.push_back(std::move(id));
        nodes.push_back(node);
        DEVINST parent = 0;
        if (::CM_Get_Parent(&parent, node, 0) != CR_SUCCESS)
            break;
        node = parent;
    }
    const UsbInstance usb = ParseUsbInstanceIds(chain);
    if (usb.device < 0)
        return;
    const UsbKeys keys =
        UsbKeysOf(usb, firstLocationPath(nodes[static_cast<std::size_t>(usb.device)]));
    info.serialKey = keys.serial;
    info.pathKey = keys.path;
}

// The COM names of HKLM\HARDWARE\DEVICEMAP\SERIALCOMM: every serial port a driver made, known
// or not to SetupAPI.
std::vector<PortInfo> serialDeviceMap() {
    std::vector<PortInfo> ports;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                        &key) != ERROR_SUCCESS)
        return ports;
    for (DWORD index = 0;; ++index) {
        wchar_t device[kMapTextChars] = {};
        wchar_t name[kMapTextChars] = {};
        DWORD deviceChars = kMapTextChars;
        DWORD nameBytes = sizeof name - sizeof(wchar_t);
        DWORD type = 0;
        const LONG status = ::RegEnumValueW(key, index, device, &deviceChars, nullptr, &type,
                                            reinterpret_cast<BYTE*>(name), &nameBytes);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            break;
        const auto com = CanonicalComName(wideToUtf8(name));
        if (type != REG_SZ || !com)
            continue;
        PortInfo info;
        info.name = *com;
        info.device = *com;
        info.driver = wideToUtf8(device);
        ports.push_back(std::move(info));
    }
    ::RegCloseKey(key);
    std::sort(ports.begin(), ports.end(), [](const PortInfo& a, const PortInfo& b) {
        return a.name.size() != b.name.size() ? a.name.size() < b.name.size() : a.name < b.name;
    });
    return ports;
}

// The ports of the setup class "Ports".
std::vector<PortInfo> portsClassDevices() {
    std::vector<PortInfo> ports;
    GUID portsClass{};
    DWORD classes = 0;
    if (!::SetupDiClassGuidsFromNameW(L"Ports", &portsClass, 1, &classes) || classes == 0)
        return ports;
    const DeviceList devices(
        ::SetupDiGetClassDevsW(&portsClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_PROFILE));
    if (devices.get() == INVALID_HANDLE_VALUE)
        return ports;
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        if (!::SetupDiEnumDeviceInfo(devices.get(), index, &device))
            break;
        std::wstring description;
        if (!textProperty(devices.get(), device, SPDRP_DEVICEDESC, description))
            continue;
        std::wstring service;
        (void)textProperty(devices.get(), device, SPDRP_SERVICE, service);
        PortInfo info;
        // A device whose port name cannot be read is still listed; opening it then fails.
        const std::string name = wideToUtf8(portName(devices.get(), device));
        const auto com = CanonicalComName(name);
        info.name = com.value_or(name);
        info.device = com.value_or(std::string());
        info.description = wideToUtf8(description);
        info.driver = wideToUtf8(service);
        usbFacts(device.DevInst, info);
        ports.push_back(std::move(info));
    }
    return ports;
}

}  // namespace

std::vector<PortInfo> enumeratePorts([[maybe_unused]] const DiscoveryRoots& roots,
                                     [[maybe_unused]] std::vector<std::string>* problems) {
    std::vector<PortInfo> ports = portsClassDevices();
    if (ports.empty())
        ports = serialDeviceMap();
    assignIdentities(ports);
    return ports;
}

std::string portNameOf(const std::string& typed) {
    if (auto com = CanonicalComName(typed))
        return *com;
    const std::string prefix = wideToUtf8(serial::devicePrefix());
    return typed.starts_with(prefix) ? typed.substr(prefix.size()) : typed;
}

// A COM port has no device number; its one spelling stands for one, so that every spelling of
// a name reaches the listed port. Any other name given by hand is taken as it is.
DeviceNode deviceNodeOf(const std::string& path) {
    return {DeviceNode::Kind::CharDevice, CanonicalComName(path).value_or(std::string())};
}

std::string deviceOfDescriptor(int) {
    return {};
}

}  // namespace qx4t::ports
