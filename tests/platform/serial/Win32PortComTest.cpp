// The Win32 port's own calls against COM5, which tests/wine/with-com-port.sh serves from
// qx4t-plcsim on a pseudo-terminal. Each case is a test of its own (cmake: one --gtest_filter
// each), so that what Wine cannot do on a pseudo-terminal is told case by case.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "link/Frame.h"
#include "platform/Clock.h"
#include "platform/serial/SerialPort.h"
#include "tests/support/BoundedWait.h"

namespace qx4t::serial {
namespace {

using namespace std::chrono_literals;

constexpr const char* kPort = "\\\\.\\COM5";
constexpr long kStatusReplyLen = 67;
// The simulator answers within milliseconds; this only bounds a test that would hang.
constexpr std::chrono::milliseconds kReplyBound = 5000ms;
constexpr std::chrono::milliseconds kNoReplyWait = 300ms;

HANDLE handleOf(const SerialPort& port) {
    return LongToHandle(port.handle());
}

// Writes the status request and waits, bounded, until the whole reply is queued.
long requestStatus(SerialPort& port) {
    const std::string frame = link::MakeFrame("%EE#EX00RT00");
    const auto written = port.write(frame.data(), frame.size(), 5000ms);
    if (written.status != WriteStatus::Ok || written.written != frame.size())
        return -1;
    long queued = 0;
    (void)test::WaitFor(
        [&] {
            queued = port.bytesWaiting();
            return queued < 0 || queued >= kStatusReplyLen;
        },
        kReplyBound);
    return queued;
}

class Com5 : public ::testing::Test {
protected:
    void SetUp() override {
        const auto opened = port->open(kPort);
        ASSERT_TRUE(opened.ok()) << opened.reason;
        ASSERT_TRUE(port->configure());
        ASSERT_TRUE(port->purge());
    }
    std::unique_ptr<SerialPort> port = makeSystemPort();
};

TEST(Win32Port, OpensTheMappedPortAndTellsAMissingOne) {
    auto port = makeSystemPort();
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(port->handle(), -1);
    const auto missing = port->open("\\\\.\\COM199");
    EXPECT_EQ(missing.status, OpenStatus::NotFound) << missing.reason;
    EXPECT_FALSE(missing.reason.empty());
    EXPECT_EQ(port->handle(), -1);

    const auto opened = port->open(kPort);
    ASSERT_TRUE(opened.ok()) << opened.reason;
    EXPECT_TRUE(port->isOpen());
    EXPECT_GE(port->handle(), 0);
    port->close();
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(port->handle(), -1);
    EXPECT_TRUE(port->open(kPort).ok()) << "closing gives the port back";
}

TEST(Win32Port, ASecondOpenIsRefusedWhileTheFirstHoldsThePort) {
    auto first = makeSystemPort();
    ASSERT_TRUE(first->open(kPort).ok());
    auto second = makeSystemPort();
    const auto refused = second->open(kPort);
    EXPECT_EQ(refused.status, OpenStatus::Busy) << refused.reason;
    EXPECT_FALSE(second->isOpen());
}

TEST_F(Com5, ConfigureGivesThePortThePlcsSpeedFrameAndTimeOuts) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(::GetCommState(handleOf(*port), &dcb));
    EXPECT_EQ(dcb.BaudRate, static_cast<DWORD>(CBR_9600));
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    COMMTIMEOUTS timeouts{};
    ASSERT_TRUE(::GetCommTimeouts(handleOf(*port), &timeouts));
    EXPECT_EQ(timeouts.ReadIntervalTimeout, 5000u);
    EXPECT_EQ(timeouts.ReadTotalTimeoutConstant, 5000u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutConstant, 5000u);
}

TEST_F(Com5, ThePortKeepsOddParityAndConfiguresAgain) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(::GetCommState(handleOf(*port), &dcb));
    EXPECT_EQ(dcb.Parity, ODDPARITY);
    EXPECT_TRUE(port->configure()) << "a configured port configures again";
}

TEST_F(Com5, BytesWaitingCountsTheReplyAndReadTakesItWhole) {
    ASSERT_EQ(requestStatus(*port), kStatusReplyLen);
    char reply[4096] = {};
    EXPECT_EQ(port->read(reply, sizeof reply), kStatusReplyLen);
    EXPECT_EQ(reply[0], '%');
    EXPECT_EQ(reply[kStatusReplyLen - 1], '\r');
    EXPECT_EQ(port->bytesWaiting(), 0);
    EXPECT_EQ(port->read(reply, sizeof reply), 0) << "an empty queue reads nothing at once";
}

TEST_F(Com5, PurgeDiscardsAReplyNobodyRead) {
    ASSERT_EQ(requestStatus(*port), kStatusReplyLen);
    EXPECT_TRUE(port->purge());
    EXPECT_EQ(port->bytesWaiting(), 0);
}

TEST_F(Com5, WaitForInputWakesForAReply) {
    const std::string frame = link::MakeFrame("%EE#EX00RT00");
    ASSERT_EQ(port->write(frame.data(), frame.size(), 5000ms).status, WriteStatus::Ok);
    EXPECT_EQ(port->waitReadable(kReplyBound), WaitStatus::Ready);
    EXPECT_GT(port->bytesWaiting(), 0);
}

TEST_F(Com5, WaitForInputTimesOutOnASilentLine) {
    const auto start = SteadyClock::instance().now();
    EXPECT_EQ(port->waitReadable(kNoReplyWait), WaitStatus::Timeout);
    EXPECT_GE(SteadyClock::instance().now() - start, kNoReplyWait);
    EXPECT_EQ(port->bytesWaiting(), 0);
}

}  // namespace
}  // namespace qx4t::serial
