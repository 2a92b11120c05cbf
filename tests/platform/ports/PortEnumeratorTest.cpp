#include "platform/ports/PortEnumerator.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "link/PortList.h"
#include "tests/platform/ports/FakeMachine.h"

namespace {

using qx4t::ports::enumeratePorts;
using qx4t::ports::PortInfo;
using qx4t::test::FakeMachine;

// A pid no process can have: pids stay below pid_max.
long deadPid() {
    long pidMax = 4194304;
    std::ifstream("/proc/sys/kernel/pid_max") >> pidMax;
    return pidMax;
}

// A desktop with two PLCs, a lower-case look-alike, USB adapters, a real UART, phantom legacy
// ports, consoles, and two simulators of which one has died.
class Discovery : public ::testing::Test {
protected:
    void SetUp() override {
        const auto plc = m.device(m.usbDevice("1-1", "TEMLO PLC USB") / "1-1:1.0", "cdc_acm");
        m.tty("ttyACM0", plc, "166:0");
        m.udevProperty("166:0", "ID_MODEL_FROM_DATABASE", "CDC device");
        m.stableLink("usb-Temlo_PLC_0001-if00", "ttyACM0");

        // The shipped udev rule names this one although its product string does not.
        const auto brev = m.device(m.usbDevice("1-2", "CDC Serial") / "1-2:1.0", "cdc_acm");
        m.tty("ttyACM1", brev, "166:1");
        m.udevProperty("166:1", "ID_VENDOR", "Brevantis");
        m.udevProperty("166:1", "QX4T_DESCRIPTION", "Brevantis E-Series QX4T");

        const auto second = m.device(m.usbDevice("1-5", "TEMLO PLC B") / "1-5:1.0", "cdc_acm");
        m.tty("ttyACM10", second, "166:10");
        const auto first = m.device(m.usbDevice("1-6", "TEMLO PLC A") / "1-6:1.0", "cdc_acm");
        m.tty("ttyACM2", first, "166:2");

        const auto lower = m.usbDevice("1-3", "temlo plc");
        m.tty("ttyUSB0", m.device(lower / "1-3:1.0" / "ttyUSB0", "ftdi_sio"), "188:0");
        const auto noName = m.usbDevice("1-4", std::nullopt);
        m.tty("ttyUSB1", m.device(noName / "1-4:1.0" / "ttyUSB1", "ftdi_sio"), "188:1");
        m.udevProperty("188:1", "ID_MODEL_FROM_DATABASE", "FT232 Serial (UART) IC");

        const auto uart = m.device(m.sysfs() / "devices" / "pnp0" / "00:05", "serial");
        m.tty("ttyS0", uart, "4:64", "4");
        const auto legacy =
            m.device(m.sysfs() / "devices" / "platform" / "serial8250", "serial8250");
        m.tty("ttyS1", legacy, "4:65", "0");
        m.tty("ttyS2", legacy, "4:66", "0");
        m.tty("ttyS3", legacy, "4:67");  // no type attribute at all
        m.virtualTty("tty0", "4:0");
        m.virtualTty("ptmx", "5:2");

        const std::string live = std::to_string(::getpid());
        m.write(m.registry() / "b-sim.port",
                "port=pts/3\ndescription=Brevantis E (simulated)\npid=" + live + "\n");
        m.write(m.registry() / "a-sim.port",
                "port=pts/7\r\ndescription=TEMLO PLC (simulated)\r\npid=" + live + "\r\n");
        m.write(m.registry() / "c-dead.port",
                "port=pts/9\ndescription=TEMLO PLC (simulated)\npid=" + std::to_string(deadPid()) +
                    "\n");
        m.write(m.registry() / "d-nopid.port", "port=pts/10\ndescription=TEMLO PLC\n");
        m.write(m.registry() / "e-badpid.port", "port=pts/11\ndescription=TEMLO PLC\npid=1x\n");
        m.write(m.registry() / "f-noport.port", "description=TEMLO PLC\npid=" + live + "\n");
        m.write(m.registry() / ".half-written.port", "port=pts/12\npid=" + live + "\n");
        m.write(m.registry() / "notes.txt", "port=pts/13\npid=" + live + "\n");
    }
    void TearDown() override { SetPortProvider(nullptr); }

    FakeMachine m;
};

TEST_F(Discovery, ListsRealAndRegisteredPortsWithTheirDescriptions) {
    const auto ports = enumeratePorts(m.roots());
    struct Expected {
        std::string name, description, driver;
        bool isVirtual;
    };
    const std::vector<Expected> expected = {
        {"serial/by-id/usb-Temlo_PLC_0001-if00", "TEMLO PLC USB", "cdc_acm", false},
        {"ttyACM1", "Brevantis E-Series QX4T", "cdc_acm", false},
        {"ttyACM2", "TEMLO PLC A", "cdc_acm", false},
        {"ttyACM10", "TEMLO PLC B", "cdc_acm", false},
        {"ttyS0", "serial", "serial", false},
        {"ttyUSB0", "temlo plc", "ftdi_sio", false},
        {"ttyUSB1", "FT232 Serial (UART) IC", "ftdi_sio", false},
        {"pts/7", "TEMLO PLC (simulated)", "virtual", true},
        {"pts/3", "Brevantis E (simulated)", "virtual", true},
    };
    ASSERT_EQ(ports.size(), expected.size());
    for (std::size_t i = 0; i < ports.size(); ++i) {
        EXPECT_EQ(ports[i].name, expected[i].name) << i;
        EXPECT_EQ(ports[i].description, expected[i].description) << i;
        EXPECT_EQ(ports[i].driver, expected[i].driver) << i;
        EXPECT_EQ(ports[i].isVirtual, expected[i].isVirtual) << i;
    }
}

TEST_F(Discovery, PortListOffersThePlcsInEnumerationOrder) {
    const auto roots = m.roots();
    SetPortProvider([roots] { return enumeratePorts(roots); });
    std::vector<std::wstring> ports;
    std::vector<std::wstring> names;
    GetComPortList(ports, names);
    EXPECT_EQ(ports, (std::vector<std::wstring>{L"serial/by-id/usb-Temlo_PLC_0001-if00", L"ttyACM1",
                                                L"ttyACM2", L"ttyACM10", L"pts/7", L"pts/3"}));
    EXPECT_EQ(names.size(), ports.size());
    EXPECT_EQ(names[1], L"Brevantis E-Series QX4T");
}

// The identity follows the device, not the name: a PLC that restarts comes back as another tty.
TEST_F(Discovery, EachPortHasAnIdentityThatOutlivesItsName) {
    const auto usbRoot = m.sysfs() / "devices" / "pci0000:00" / "0000:00:14.0" / "usb1";
    m.write(usbRoot / "1-1" / "serial", "0001\n");
    m.write(m.registry() / "a-sim.port",
            "port=pts/7\ndescription=TEMLO PLC (simulated)\nid=plcsim-7\npid=" +
                std::to_string(::getpid()) + "\n");
    auto identities = [&] {
        std::map<std::string, std::string> byName;
        for (const auto& p : enumeratePorts(m.roots())) {
            byName[p.name] = p.identity;
        }
        return byName;
    };
    const auto before = identities();
    EXPECT_EQ(before.at("serial/by-id/usb-Temlo_PLC_0001-if00"), "usb-serial:0001/1.0");
    EXPECT_EQ(before.at("ttyACM1"), "usb-path:1-2:1.0");
    EXPECT_EQ(before.at("ttyUSB0"), "usb-path:1-3:1.0");
    EXPECT_EQ(before.at("ttyS0"), "port:ttyS0");
    EXPECT_EQ(before.at("pts/7"), "virtual:plcsim-7");
    EXPECT_EQ(before.at("pts/3"), "port:pts/3");

    // Both USB PLCs come back under new names: the one with a serial number on another
    // socket, the one without on the same socket.
    std::filesystem::remove_all(m.sysfs() / "class" / "tty" / "ttyACM0");
    std::filesystem::remove_all(m.dev() / "serial" / "by-id");
    std::filesystem::remove_all(m.sysfs() / "class" / "tty" / "ttyACM1");
    const auto moved = m.device(m.usbDevice("2-4", "TEMLO PLC USB") / "2-4:1.0", "cdc_acm");
    m.write(usbRoot / "2-4" / "serial", "0001\n");
    m.tty("ttyACM3", moved, "166:3");
    m.tty("ttyACM4", usbRoot / "1-2" / "1-2:1.0", "166:4");
    m.write(m.registry() / "a-sim.port",
            "port=pts/8\ndescription=TEMLO PLC (simulated)\nid=plcsim-7\npid=" +
                std::to_string(::getpid()) + "\n");
    const auto after = identities();
    EXPECT_EQ(after.at("ttyACM3"), "usb-serial:0001/1.0");
    EXPECT_EQ(after.at("ttyACM4"), "usb-path:1-2:1.0");
    EXPECT_EQ(after.at("pts/8"), "virtual:plcsim-7");
    const auto ports = enumeratePorts(m.roots());
    const auto* found = qx4t::ports::findByIdentity(ports, "virtual:plcsim-7");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, "pts/8");
    EXPECT_EQ(qx4t::ports::findByIdentity(ports, "usb-serial:0002/1.0"), nullptr);

    // Two bridges of one make with one serial number: each is known by where it is plugged in,
    // and its device number is what an open descriptor is matched by.
    m.write(usbRoot / "1-5" / "serial", "CHEAP\n");
    m.write(usbRoot / "1-6" / "serial", "CHEAP\n");
    for (const auto& p : enumeratePorts(m.roots())) {
        if (p.name != "ttyACM10")
            continue;
        EXPECT_EQ(p.identity, "usb-path:1-5:1.0");
        EXPECT_EQ(p.identityKind, qx4t::IdentityKind::Path);
        EXPECT_TRUE(p.identityUnique);
        EXPECT_EQ(p.serialKey, "usb-serial:CHEAP/1.0");
        EXPECT_EQ(p.device, "166:10");
        EXPECT_EQ(qx4t::ports::findByDevice(enumeratePorts(m.roots()), "166:10")->name, p.name);
    }
}

// The PLC is followed by its identity; its old name is never taken for it.
TEST(LocatePlc, FollowsTheIdentityAndNeverTakesAnotherDeviceForIt) {
    using Kind = qx4t::ports::PlcWhereabouts::Kind;
    const std::vector<PortInfo> ports = {
        {"pts/4", "TEMLO PLC (simulated)", "virtual", true, "virtual:b"},
        {"pts/9", "TEMLO PLC (simulated)", "virtual", true, "virtual:a"},
    };
    auto where = qx4t::ports::locatePlc(ports, "virtual:a", "pts/4");
    EXPECT_EQ(where.kind, Kind::Listed);
    EXPECT_EQ(where.port, "pts/9");
    where = qx4t::ports::locatePlc(ports, "virtual:c", "pts/4");
    EXPECT_EQ(where.kind, Kind::OtherOnName);
    EXPECT_EQ(where.port, "pts/4");
    EXPECT_EQ(where.otherIdentity, "virtual:b");
    where = qx4t::ports::locatePlc(ports, "virtual:c", "pts/5");
    EXPECT_EQ(where.kind, Kind::NotListed);
    EXPECT_EQ(where.port, "pts/5");
    where = qx4t::ports::locatePlc(ports, "", "pts/4");
    EXPECT_EQ(where.kind, Kind::NameOnly);
    EXPECT_EQ(where.port, "pts/4");
}

TEST(DiscoveryRoots, MissingTreesYieldNoPorts) {
    FakeMachine m;
    auto roots = m.roots();
    roots.sysfs = (m.root() / "nowhere").string();
    roots.registry = (m.root() / "nowhere-either").string();
    EXPECT_TRUE(enumeratePorts(roots).empty());
}

TEST(DiscoveryRoots, OddUdevAndByIdEntriesAreHarmless) {
    FakeMachine m;
    const auto plc = m.device(m.usbDevice("1-1", std::nullopt) / "1-1:1.0", "cdc_acm");
    m.tty("ttyACM0", plc, "166:0");
    // A value with '=' in it, a line without one, and a property of another device.
    m.write(m.udev() / "c166:0",
            "S:serial/by-id/x\nE:NOEQUALS\nE:QX4T_DESCRIPTION=TEMLO PLC a=b\n");
    m.udevProperty("166:1", "QX4T_DESCRIPTION", "Brevantis E other");
    // A dangling stable link and a regular file where links live.
    m.link(m.dev() / "serial" / "by-id" / "usb-gone-if00", m.dev() / "ttyACM7");
    m.write(m.dev() / "serial" / "by-id" / "README", "");
    const auto ports = enumeratePorts(m.roots());
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].name, "ttyACM0");
    EXPECT_EQ(ports[0].description, "TEMLO PLC a=b");
}

TEST(DiscoveryRoots, UdevRecordOfADeviceAndOfItsUsbParent) {
    FakeMachine m;
    const auto usb = m.usbDevice("1-1", "USB Serial");
    const auto plc = m.device(usb / "1-1:1.0", "ch341");
    m.tty("ttyUSB0", plc, "188:0");
    m.link(m.sysfs() / "dev" / "char" / "188:0", plc / "tty" / "ttyUSB0");
    m.write(usb / "dev", "189:3\n");
    m.write(m.udev() / "c188:0", "E:ID_BUS=usb\nG:uaccess\nQ:uaccess\nQ:seat\n");
    m.udevProperty("189:3", "BRLTTY_BRAILLE_DRIVER", "bm");

    const auto record = readUdevRecord("188:0", m.roots());
    EXPECT_TRUE(record.found);
    EXPECT_EQ(record.properties, (std::map<std::string, std::string>{{"ID_BUS", "usb"}}));
    EXPECT_EQ(record.tags, (std::vector<std::string>{"uaccess", "seat"}));
    EXPECT_EQ(record.usbProperties,
              (std::map<std::string, std::string>{{"BRLTTY_BRAILLE_DRIVER", "bm"}}));
    // No record, and no device at all.
    EXPECT_FALSE(readUdevRecord("188:1", m.roots()).found);
    EXPECT_FALSE(readUdevRecord("", m.roots()).found);
}

}  // namespace
