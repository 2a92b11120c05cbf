#include "link/PortList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qx4t::ports::PortInfo;

TEST(IsPlcDescription, MatchesEitherPrefixExactly) {
    struct Case {
        const wchar_t* description;
        bool expected;
    };
    const Case cases[] = {
        {L"TEMLO PLC", true},
        {L"TEMLO PLC USB Port (COM3)", true},
        {L"TEMLO PLCX", true},
        {L"Brevantis E", true},
        {L"Brevantis Electronics QX4T", true},
        {L"temlo plc", false},
        {L"TEMLO Plc", false},
        {L"TEMLO PL", false},
        {L"Brevantis", false},
        {L"Brevantis e", false},
        {L" TEMLO PLC", false},
        {L"", false},
        {L"USB Serial Device", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPlcDescription(c.description), c.expected) << c.description;
    }
}

class PortList : public ::testing::Test {
protected:
    void TearDown() override { SetPortProvider(nullptr); }

    void provide(std::vector<PortInfo> ports) {
        SetPortProvider([ports] { return ports; });
    }
};

TEST_F(PortList, KeepsPlcPortsInEnumerationOrderInParallelLists) {
    provide({
        {"ttyS0", "serial8250", "serial8250", false},
        {"serial/by-id/usb-Brevantis-if00", "Brevantis E-Series", "cdc_acm", false},
        {"ttyUSB0", "temlo plc", "ftdi_sio", false},
        {"ttyACM3", "TEMLO PLC \xe2\x80\x93 \xc3\x9cnit", "cdc_acm", false},
        {"pts/7", "TEMLO PLC (simulated)", "virtual", true},
    });
    std::vector<std::wstring> ports{L"stale"};
    std::vector<std::wstring> names{L"stale", L"entries"};
    GetComPortList(ports, names);
    EXPECT_EQ(ports, (std::vector<std::wstring>{L"serial/by-id/usb-Brevantis-if00", L"ttyACM3",
                                                L"pts/7"}));
    EXPECT_EQ(names,
              (std::vector<std::wstring>{L"Brevantis E-Series", L"TEMLO PLC \u2013 \u00dcnit",
                                         L"TEMLO PLC (simulated)"}));
}

TEST_F(PortList, NoPortsGiveTwoEmptyLists) {
    provide({});
    std::vector<std::wstring> ports{L"x"};
    std::vector<std::wstring> names;
    GetComPortList(ports, names);
    EXPECT_TRUE(ports.empty());
    EXPECT_TRUE(names.empty());
}

}  // namespace
