#include "common/WindowsPorts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace qx4t {
namespace {

TEST(WindowsPorts, ComNamesHaveOneSpelling) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"COM5", "COM5"},
        {"com5", "COM5"},
        {"CoM05", "COM5"},
        {"\\\\.\\COM5", "COM5"},
        {"\\\\?\\com10", "COM10"},
        {"COM5:", "COM5"},
        {"COM256", "COM256"},
        {"COM0", std::nullopt},
        {"COM", std::nullopt},
        {"COM5x", std::nullopt},
        {"CNCA0", std::nullopt},
        {"pts/90", std::nullopt},
        {"COM000000000005", "COM5"},
        {"COM123456", std::nullopt},
    };
    for (const auto& [typed, canonical] : cases)
        EXPECT_EQ(CanonicalComName(typed), canonical) << typed;
}

// Instance-id chains as SetupAPI shows them, from the port's node upwards, with the location
// path of the USB device the parse points at.
TEST(WindowsPorts, UsbFactsFromInstanceIds) {
    struct Case {
        const char* name;
        std::vector<std::string> chain;
        int device;
        const char* serialKey;
        const char* pathKey;
    };
    const char* hub = "USB\\ROOT_HUB30\\4&2A1B&0&0";
    const Case cases[] = {
        {"a device of its own with a serial number",
         {"USB\\VID_2341&PID_0043\\75735353038351F0B1C1", hub},
         0,
         "usb-serial:75735353038351F0B1C1",
         "usb-path:LOC"},
        {"no serial number: Windows made the id up",
         {"USB\\VID_10C4&PID_EA60\\5&2C3F0A1&0&2", hub},
         0,
         "",
         "usb-path:LOC"},
        {"an interface of a composite device",
         {"USB\\VID_2341&PID_8036&MI_00\\6&1A2B&0&0000", "USB\\VID_2341&PID_8036\\HIDPC", hub},
         1,
         "usb-serial:HIDPC/00",
         "usb-path:LOC/00"},
        {"an interface whose device could not be read",
         {"USB\\VID_2341&PID_8036&MI_02\\6&1A2B&0&0002"},
         0,
         "",
         "usb-path:LOC/02"},
        {"FTDI: the channel letter follows the serial number",
         {"FTDIBUS\\VID_0403+PID_6001+A6008COPA\\0000", "USB\\VID_0403&PID_6001\\A6008COP", hub},
         1,
         "usb-serial:A6008COP/A",
         "usb-path:LOC/A"},
        {"FTDI dual channel: B, on the composite device's interface",
         {"FTDIBUS\\VID_0403+PID_6010+FT4ZQ1B\\0000", "USB\\VID_0403&PID_6010&MI_01\\7&5&0&1",
          "USB\\VID_0403&PID_6010\\FT4ZQ1"},
         2,
         "usb-serial:FT4ZQ1/B",
         "usb-path:LOC/B"},
        {"FTDI without a serial number",
         {"FTDIBUS\\VID_0403+PID_6001+6&2D7E&0&1\\0000", "USB\\VID_0403&PID_6001\\6&2D7E&0&1"},
         1,
         "",
         "usb-path:LOC/0000"},
        {"another driver's ports below a USB device",
         {"MXUPORT\\MXU1_1250\\0001", "USB\\VID_110A&PID_1250\\MX42"},
         1,
         "usb-serial:MX42/0001",
         "usb-path:LOC/0001"},
        {"a PCI card", {"ACPI\\PNP0501\\1", "ACPI\\PNP0A08\\0"}, -1, "", ""},
        {"Bluetooth, even with a USB dongle further up",
         {"BTHENUM\\{00001101}_LOCALMFG&0002\\7&1&0&000000000000_00000000", "BTH\\MS_BTHBRB\\6&1",
          "USB\\VID_8087&PID_0A2B\\5&3&0&10"},
         -1,
         "",
         ""},
        {"nothing read", {}, -1, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UsbInstance usb = ParseUsbInstanceIds(c.chain);
        EXPECT_EQ(usb.device, c.device);
        const UsbKeys keys = UsbKeysOf(usb, "LOC");
        EXPECT_EQ(keys.serial, c.serialKey);
        EXPECT_EQ(keys.path, c.pathKey);
    }
    EXPECT_EQ(UsbKeysOf(ParseUsbInstanceIds({"USB\\VID_1&PID_2\\S9"}), "").path, "");
}

TEST(WindowsPorts, OnlyTheErrorsOfAVanishedDeviceCountAsGone) {
    // access denied, bad command, general failure, device not connected
    for (unsigned long gone : {5UL, 22UL, 31UL, 1167UL})
        EXPECT_TRUE(ComDeviceGone(gone)) << gone;
    // success, invalid function, invalid handle, operation aborted (a cancel), I/O pending,
    // invalid parameter
    for (unsigned long other : {0UL, 1UL, 6UL, 995UL, 997UL, 87UL})
        EXPECT_FALSE(ComDeviceGone(other)) << other;
}

}  // namespace
}  // namespace qx4t
