#include "common/WindowsPorts.h"

#include <algorithm>
#include <cctype>

namespace qx4t {
namespace {

// The Win32 error codes ComDeviceGone knows, by number: this file is built on every platform.
constexpr unsigned long kErrorAccessDenied = 5;
constexpr unsigned long kErrorBadCommand = 22;
constexpr unsigned long kErrorGenFailure = 31;
constexpr unsigned long kErrorDeviceNotConnected = 1167;

// FTDI chips have at most four channels, A to D.
constexpr std::string_view kFtdiChannels = "ABCD";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) ==
                      std::toupper(static_cast<unsigned char>(b));
           });
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// "USB\VID_0403&PID_6001\A6008COP": enumerator, hardware id, instance part.
std::string_view Middle(std::string_view id) {
    const auto first = id.find('\\');
    const auto last = id.rfind('\\');
    return first == last ? std::string_view() : id.substr(first + 1, last - first - 1);
}

std::string_view Last(std::string_view id) {
    const auto last = id.rfind('\\');
    return last == std::string_view::npos ? std::string_view() : id.substr(last + 1);
}

// A USB device or interface node; hubs carry no ports.
bool IsUsb(std::string_view id) {
    return StartsWithNoCase(id, "USB\\") && !StartsWithNoCase(id, "USB\\ROOT_HUB");
}

// "00" of an interface node's "&MI_00", else empty.
std::string InterfaceOf(std::string_view id) {
    const std::string middle = Upper(Middle(id));
    const auto at = middle.find("&MI_");
    return at == std::string::npos ? std::string() : middle.substr(at + 4, 2);
}

// Windows makes an instance part up from the place (with "&") when a device has no serial.
std::string SerialOf(std::string_view part) {
    return part.find('&') == std::string_view::npos ? std::string(part) : std::string();
}

}  // namespace

std::optional<std::string> CanonicalComName(std::string_view name) {
    for (std::string_view prefix : {"\\\\.\\", "\\\\?\\"}) {
        if (name.starts_with(prefix)) {
            name.remove_prefix(prefix.size());
            break;
        }
    }
    if (name.ends_with(':'))
        name.remove_suffix(1);
    if (!StartsWithNoCase(name, "COM"))
        return std::nullopt;
    std::string_view digits = name.substr(3);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        })) {
        return std::nullopt;
    }
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    // COM0 names nothing; the longest numbers are kept from wrapping into a valid one.
    if (digits == "0" || digits.size() > 5)
        return std::nullopt;
    return "COM" + std::string(digits);
}

UsbInstance ParseUsbInstanceIds(const std::vector<std::string>& chain) {
    UsbInstance usb;
    std::size_t at = 0;
    if (chain.empty())
        return usb;
    if (!IsUsb(chain[0])) {
        // A port of a driver's own bus (FTDI's, a multi-port adapter's) below the USB node.
        if (chain.size() < 2 || !IsUsb(chain[1]))
            return usb;
        at = 1;
        if (StartsWithNoCase(chain[0], "FTDIBUS\\")) {
            const std::string_view middle = Middle(chain[0]);
            const auto plus = middle.rfind('+');
            std::string serial = SerialOf(plus == std::string_view::npos ? std::string_view()
                                                                         : middle.substr(plus + 1));
            // The driver appends the channel letter to the chip's serial number.
            if (serial.size() > 1 && kFtdiChannels.find(serial.back()) != std::string_view::npos) {
                usb.interface = serial.substr(serial.size() - 1);
                serial.pop_back();
            }
            usb.serial = serial;
        }
        if (usb.interface.empty())
            usb.interface = Last(chain[0]);
    }
    if (const std::string mi = InterfaceOf(chain[at]); !mi.empty()) {
        if (usb.interface.empty())
            usb.interface = mi;
        // The composite device above the interface has the serial number and the place.
        if (at + 1 < chain.size() && IsUsb(chain[at + 1]) && InterfaceOf(chain[at + 1]).empty()) {
            ++at;
        } else {
            usb.device = static_cast<int>(at);
            return usb;
        }
    }
    usb.device = static_cast<int>(at);
    if (usb.serial.empty())
        usb.serial = SerialOf(Last(chain[at]));
    return usb;
}

UsbKeys UsbKeysOf(const UsbInstance& usb, std::string_view locationPath) {
    UsbKeys keys;
    if (usb.device < 0)
        return keys;
    const std::string which = usb.interface.empty() ? std::string() : "/" + usb.interface;
    if (!usb.serial.empty())
        keys.serial = "usb-serial:" + usb.serial + which;
    if (!locationPath.empty())
        keys.path = "usb-path:" + std::string(locationPath) + which;
    return keys;
}

bool ComDeviceGone(unsigned long error) {
    switch (error) {
        case kErrorAccessDenied:
        case kErrorBadCommand:
        case kErrorGenFailure:
        case kErrorDeviceNotConnected:
            return true;
        default:
            return false;
    }
}

}  // namespace qx4t
