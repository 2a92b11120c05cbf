// Port discovery on Windows: the present devices of the setup class "Ports", each with the
// "PortName" value of its hardware key (COM3) and its device description. Matching a PLC
// among them is the link's business, as on Linux.
#include <windows.h>
// setupapi.h needs windows.h first.
#include <setupapi.h>

#include <string>
#include <vector>

#include "platform/ports/PortEnumerator.h"
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

}  // namespace

std::vector<PortInfo> enumeratePorts([[maybe_unused]] const DiscoveryRoots& roots,
                                     [[maybe_unused]] std::vector<std::string>* problems) {
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
        info.name = wideToUtf8(portName(devices.get(), device));
        info.description = wideToUtf8(description);
        info.driver = wideToUtf8(service);
        ports.push_back(std::move(info));
    }
    assignIdentities(ports);
    return ports;
}

// COM ports have no device numbers; a name given by hand is taken as it is.
DeviceNode deviceNodeOf(const std::string&) {
    return {DeviceNode::Kind::CharDevice, {}};
}

std::string deviceOfDescriptor(int) {
    return {};
}

}  // namespace qx4t::ports
