#pragma once
// What Windows tells of a COM port, read as plain strings and numbers: the one spelling of a COM
// name, the USB facts in the device instance ids above a port, and which errors of the port say
// the device has gone. Pure, so that they are tested on instance-id strings on every platform;
// the SetupAPI enumerator and the Win32 port call them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx4t {

// "COM5" for "com5", "COM05", "COM5:" and "\\.\COM5": the name Windows' symbolic link for the
// port has, and the one spelling every comparison of COM names uses. nullopt for a name that is
// no COM port name ("COM0", "CNCA0", "COM5x").
[[nodiscard]] std::optional<std::string> CanonicalComName(std::string_view name);

// The USB device found in the instance ids from a port's own node upwards.
struct UsbInstance {
    // Index in the chain of the USB device node (whose location path is the port's place); -1
    // when the port is not on USB (a PCI card, a Bluetooth link) as far as the chain shows.
    int device = -1;
    // The device's serial number; empty when Windows made the id's last part up (it holds "&").
    std::string serial;
    // Which port of the device: "00" from an interface's MI_00, "A" from an FTDI channel.
    std::string interface;
};

// chain: the instance ids of the port's node, its parent and its grandparent, as far as they
// could be read. A USB device's own node ("USB\VID_0403&PID_6001\A6008COP") or an interface of
// a composite one ("USB\VID_2341&PID_8036&MI_00\6&1A2B&0&0000", the device above it) carries a
// port; FTDI's driver puts its ports on nodes of its own,
// "FTDIBUS\VID_0403+PID_6001+A6008COPA\0000": the serial number followed by the channel letter.
[[nodiscard]] UsbInstance ParseUsbInstanceIds(const std::vector<std::string>& chain);

// The facts of PlcIdentity.h from a parsed chain and the USB device's first location path
// ("PCIROOT(0)#PCI(1400)#USBROOT(0)#USB(2)"): "usb-serial:<serial>[/<interface>]" when it has a
// serial number, "usb-path:<location>[/<interface>]" when the location is known.
struct UsbKeys {
    std::string serial;
    std::string path;
};
[[nodiscard]] UsbKeys UsbKeysOf(const UsbInstance& usb, std::string_view locationPath);

// Whether the error of ClearCommError or GetCommModemStatus, asked after a read or write of the
// port failed, says the device is gone (a USB port unplugged, or dropped by a PLC restarting):
// ERROR_ACCESS_DENIED, ERROR_BAD_COMMAND, ERROR_GEN_FAILURE, ERROR_DEVICE_NOT_CONNECTED. Never
// ERROR_OPERATION_ABORTED, which a cancelled wait gives as well.
[[nodiscard]] bool ComDeviceGone(unsigned long error);

}  // namespace qx4t
