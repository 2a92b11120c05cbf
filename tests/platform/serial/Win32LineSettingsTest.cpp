// The compare-before-write rule of the Win32 port on plain structures: a port that already
// runs the PLC's line is left alone, and writing ours never disturbs the driver's flow control.
#include <gtest/gtest.h>

#include "platform/serial/Win32LineSettings.h"

namespace qx4t::serial::detail {
namespace {

DCB plcLine() {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = ODDPARITY;
    dcb.StopBits = ONESTOPBIT;
    return dcb;
}

TEST(Win32LineSettings, EachOfTheFourFieldsAloneCallsForAWrite) {
    EXPECT_TRUE(dcbMatches(plcLine()));
    DCB other = plcLine();
    other.BaudRate = CBR_19200;
    EXPECT_FALSE(dcbMatches(other));
    other = plcLine();
    other.ByteSize = 7;
    EXPECT_FALSE(dcbMatches(other));
    other = plcLine();
    other.Parity = EVENPARITY;
    EXPECT_FALSE(dcbMatches(other));
    other = plcLine();
    other.StopBits = TWOSTOPBITS;
    EXPECT_FALSE(dcbMatches(other));
    // Flow control is the driver's business and never makes a write.
    other = plcLine();
    other.fOutxCtsFlow = TRUE;
    other.fRtsControl = RTS_CONTROL_HANDSHAKE;
    EXPECT_TRUE(dcbMatches(other));
}

TEST(Win32LineSettings, WritingOursKeepsEveryOtherFieldTheDriverReported) {
    DCB driver{};
    driver.DCBlength = sizeof driver;
    driver.BaudRate = CBR_115200;
    driver.ByteSize = 7;
    driver.Parity = NOPARITY;
    driver.StopBits = TWOSTOPBITS;
    driver.fBinary = TRUE;
    driver.fOutxCtsFlow = TRUE;
    driver.fDtrControl = DTR_CONTROL_ENABLE;
    driver.XonLim = 2048;
    driver.XoffLim = 512;
    driver.XonChar = 0x11;
    driver.EvtChar = '\r';
    const DCB want = wantedDcb(driver);
    EXPECT_TRUE(dcbMatches(want));
    EXPECT_EQ(want.DCBlength, driver.DCBlength);
    EXPECT_EQ(want.fBinary, driver.fBinary);
    EXPECT_EQ(want.fParity, driver.fParity);
    EXPECT_EQ(want.fOutxCtsFlow, driver.fOutxCtsFlow);
    EXPECT_EQ(want.fDtrControl, driver.fDtrControl);
    EXPECT_EQ(want.XonLim, driver.XonLim);
    EXPECT_EQ(want.XoffLim, driver.XoffLim);
    EXPECT_EQ(want.XonChar, driver.XonChar);
    EXPECT_EQ(want.EvtChar, driver.EvtChar);
}

TEST(Win32LineSettings, TimeOutsAreWrittenUnlessBothWatchedOnesAreSet) {
    COMMTIMEOUTS have{};
    have.ReadIntervalTimeout = 5000;
    have.WriteTotalTimeoutConstant = 5000;
    // The read-total constant is written with the others but not compared.
    have.ReadTotalTimeoutConstant = 1;
    EXPECT_TRUE(timeoutsMatch(have));
    have.ReadIntervalTimeout = MAXDWORD;
    EXPECT_FALSE(timeoutsMatch(have));
    have.ReadIntervalTimeout = 5000;
    have.WriteTotalTimeoutConstant = 0;
    EXPECT_FALSE(timeoutsMatch(have));

    have.ReadTotalTimeoutMultiplier = 3;
    have.WriteTotalTimeoutMultiplier = 4;
    const COMMTIMEOUTS want = wantedTimeouts(have);
    EXPECT_TRUE(timeoutsMatch(want));
    EXPECT_EQ(want.ReadIntervalTimeout, 5000u);
    EXPECT_EQ(want.ReadTotalTimeoutConstant, 5000u);
    EXPECT_EQ(want.WriteTotalTimeoutConstant, 5000u);
    EXPECT_EQ(want.ReadTotalTimeoutMultiplier, 3u) << "multipliers stay as read";
    EXPECT_EQ(want.WriteTotalTimeoutMultiplier, 4u);
}

}  // namespace
}  // namespace qx4t::serial::detail
