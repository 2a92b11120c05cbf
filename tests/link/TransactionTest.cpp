// Opening, closing and single transactions of CComManager on a scripted port and virtual time.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "link/ComManager.h"
#include "tests/support/FakeLink.h"

namespace {

using namespace std::chrono_literals;
using qx4t::serial::OpenStatus;
using qx4t::serial::WriteStatus;
using qx4t::test::ScopedFakeLink;
using qx4t::test::ScriptedReply;
namespace rc = qx4t::link;

class Transaction : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk); }

    int send(const std::string& request, std::uint32_t timeout, std::size_t expectedLen = 0) {
        start = fake.clock.now();
        return link.SendRecv(request.data(), static_cast<int>(request.size()), timeout,
                             expectedLen);
    }
    std::string received() const {
        return std::string(reinterpret_cast<const char*>(link.m_RecvBuf), link.m_nRecvLen);
    }
    std::chrono::milliseconds waited() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(fake.clock.now() - start);
    }

    ScopedFakeLink fake;
    CComManager link;
    qx4t::Clock::time_point start;
};

TEST(OpenPort, MapsOpenFailuresAfterTenAttemptsAndStaysClosed) {
    struct Case {
        OpenStatus status;
        int failures;
        int expected;
    };
    const Case cases[] = {
        {OpenStatus::Busy, 10, rc::kPortBusy},
        {OpenStatus::NotFound, 10, rc::kOpenFailed},
        {OpenStatus::PermissionDenied, 10, rc::kOpenFailed},
        {OpenStatus::Failed, 10, rc::kOpenFailed},
        {OpenStatus::Busy, 9, rc::kOk},  // the tenth attempt still counts
    };
    for (const auto& c : cases) {
        ScopedFakeLink fake;
        fake.port.failOpen(c.status, c.failures, "the OS's words");
        CComManager link;
        EXPECT_EQ(link.OpenPort(L"ttyUSB1"), c.expected) << c.failures;
        EXPECT_EQ(fake.port.openCalls(), 10);
        EXPECT_EQ(fake.port.openedPaths().back(), "/dev/ttyUSB1");
        EXPECT_EQ(link.m_strPort, L"/dev/ttyUSB1");
        if (c.expected == rc::kOk) {
            EXPECT_GE(link.m_hComm, 0);
        } else {
            EXPECT_EQ(link.m_hComm, -1);
            EXPECT_FALSE(fake.port.isOpen());
            EXPECT_EQ(link.LastOpenResult().status, c.status);
            EXPECT_EQ(link.LastOpenResult().reason, "the OS's words");
        }
    }
}

TEST(OpenPort, ConfigureFailureClosesThePortAgain) {
    ScopedFakeLink fake;
    fake.port.failConfigureCall(1);
    CComManager link;
    EXPECT_EQ(link.OpenPort(L"ttyACM0"), rc::kConfigureFailed);
    EXPECT_EQ(link.m_hComm, -1);
    EXPECT_FALSE(fake.port.isOpen());
    EXPECT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk) << "a later open is not hindered";
}

TEST(OpenPort, PortNamesKeepTheirWideCharactersInThePath) {
    ScopedFakeLink fake;
    CComManager link;
    ASSERT_EQ(link.OpenPort(L"serial/by-id/usb-TEMLO_PLC_\u00c4\u4e2d-if00"), rc::kOk);
    EXPECT_EQ(fake.port.openedPaths().back(),
              "/dev/serial/by-id/usb-TEMLO_PLC_\xc3\x84\xe4\xb8\xad-if00");
}

TEST(OpenPort, ClosingReopeningAndReplacingTheLinkNeverLeaksThePort) {
    ScopedFakeLink fake;
    {
        CComManager link;
        EXPECT_EQ(link.m_strPort, L"/dev/ttyS9");
        link.ClosePort();  // closed link: nothing happens
        EXPECT_EQ(fake.port.closeCalls(), 0);
        ASSERT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk);
        // Opening an open link closes it first instead of failing on its own lock.
        ASSERT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk);
        EXPECT_EQ(fake.port.closeCalls(), 1);
        // The frame's reset assigns a fresh link over the open one.
        link = CComManager();
        EXPECT_FALSE(fake.port.isOpen());
        EXPECT_EQ(link.m_hComm, -1);
        EXPECT_EQ(link.m_strPort, L"/dev/ttyS9");

        ASSERT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk);
        CComManager moved(std::move(link));
        EXPECT_TRUE(fake.port.isOpen()) << "moving hands the open port over";
        EXPECT_EQ(link.m_hComm, -1);
        EXPECT_GE(moved.m_hComm, 0);
    }
    EXPECT_FALSE(fake.port.isOpen()) << "destroying the owner closes the port";
}

TEST_F(Transaction, PurgesThenWritesThenReadsTheReply) {
    fake.port.inject("late reply to an earlier request\r");
    fake.port.queueReply(ScriptedReply::after(30ms, "%EE$49\r"));
    ASSERT_EQ(send("%EE#RMP49\r", 5000), rc::kOk);
    EXPECT_EQ(fake.port.writes().back(), "%EE#RMP49\r");
    EXPECT_EQ(received(), "%EE$49\r");
    EXPECT_EQ(link.m_RecvBuf[link.m_nRecvLen], 0);
    ASSERT_EQ(fake.transcript.size(), 2u);
    EXPECT_EQ(fake.transcript[0], std::make_pair('>', std::string("%EE#RMP49\r")));
    EXPECT_EQ(fake.transcript[1], std::make_pair('<', std::string("%EE$49\r")));
}

TEST_F(Transaction, TimeOutCountsPollsNotRealTime) {
    // 0: one poll, unless the reply is already there.
    EXPECT_EQ(send("x", 0), rc::kNoReply);
    EXPECT_EQ(fake.pumpCalls, 0) << "the time-out is checked before the pump";
    EXPECT_EQ(waited(), 100ms);
    EXPECT_EQ(link.m_nRecvLen, 0u);

    fake.port.queueReply("A\r");
    EXPECT_EQ(send("x", 0), rc::kOk);
    EXPECT_EQ(waited(), 0ms);

    // 5,000: gives up after the 51st poll; a reply landing inside that poll is too late.
    fake.pumpCalls = 0;
    fake.port.queueReply(ScriptedReply::after(5050ms, "A\r"));
    EXPECT_EQ(send("x", 5000), rc::kNoReply);
    EXPECT_EQ(waited(), 5050ms);
    EXPECT_EQ(fake.pumpCalls, 50);

    fake.port.queueReply(ScriptedReply::after(4950ms, "A\r"));
    EXPECT_EQ(send("x", 5000), rc::kOk);
    EXPECT_EQ(received(), "A\r");
}

TEST_F(Transaction, QuitWhileWaitingEndsWithItsOwnCode) {
    static_assert(rc::kQuit != rc::kOk && rc::kQuit != rc::kNoReply);
    fake.onPump = [this] { return fake.pumpCalls == 3; };
    fake.port.queueReply(ScriptedReply::after(1000ms, "A\r"));
    EXPECT_EQ(send("x", 60000), rc::kQuit);
    EXPECT_EQ(waited(), 300ms);
}

TEST_F(Transaction, ReplyInPiecesIsAssembledButALongSilenceCutsIt) {
    // A UART delivers the 67-byte status byte by byte, with gaps well under one poll.
    std::string status(67, 'S');
    ScriptedReply dribble;
    for (std::size_t i = 0; i < status.size(); ++i) {
        dribble.pieces.push_back({std::chrono::milliseconds(10 + i), status.substr(i, 1)});
    }
    fake.port.queueReply(dribble);
    EXPECT_EQ(send("x", 5000, 67), rc::kOk);
    EXPECT_EQ(received(), status);
    EXPECT_EQ(waited(), 76ms) << "complete at the last byte, no extra poll";

    fake.port.queueReply(ScriptedReply::split("%EE$", 60ms, "RMP49\r", 20ms));
    EXPECT_EQ(send("x", 5000), rc::kOk);
    EXPECT_EQ(received(), "%EE$RMP49\r") << "CR completes a reply of unknown length";
    EXPECT_EQ(waited(), 80ms);

    fake.port.queueReply(ScriptedReply::split("%EE$", 250ms, "RMP49\r"));
    EXPECT_EQ(send("x", 5000), rc::kOk);
    EXPECT_EQ(received(), "%EE$");
    EXPECT_EQ(waited(), 100ms);

    // The tail that comes later is purged before the next request.
    fake.clock.advance(200ms);
    fake.port.queueReply("B\r");
    EXPECT_EQ(send("y", 5000), rc::kOk);
    EXPECT_EQ(received(), "B\r");
}

TEST_F(Transaction, CompleteReplyAlsoTakesWhatIsAlreadyQueued) {
    fake.port.queueReply(ScriptedReply::split("AB", 0ms, "CD"));
    EXPECT_EQ(send("x", 5000, 1), rc::kOk);
    EXPECT_EQ(received(), "ABCD");
}

TEST_F(Transaction, KeepsAtMost4095BytesOfAnOverlongReply) {
    std::string big(5000, 'x');
    big[0] = 'a';
    fake.port.queueReply(ScriptedReply::split(big.substr(0, 3000), 10ms, big.substr(3000)));
    EXPECT_EQ(send("x", 5000), rc::kOk);
    EXPECT_EQ(link.m_nRecvLen, 4095u);
    EXPECT_EQ(received(), big.substr(0, 4095));
    EXPECT_EQ(link.m_RecvBuf[4095], 0);
}

TEST_F(Transaction, PortFailuresBecomeLinkCodes) {
    fake.port.failWriteCall(1, WriteStatus::Timeout);
    EXPECT_EQ(send("x", 5000), rc::kWriteTimeout);
    EXPECT_EQ(waited(), 5000ms) << "the write's own deadline";

    fake.port.failWriteCall(2, WriteStatus::Error);
    EXPECT_EQ(send("x", 5000), rc::kTransactionFailed);
    fake.port.failWriteCall(3, WriteStatus::Ok, 1);
    EXPECT_EQ(send("xy", 5000), rc::kTransactionFailed) << "short write";

    fake.port.failPurgeCall(4);
    EXPECT_EQ(send("x", 5000), rc::kTransactionFailed);

    fake.port.failWaitCall(fake.port.waitCalls() + 1);
    EXPECT_EQ(send("x", 5000), rc::kReceiveFailed) << "the port vanished while waiting";

    fake.port.queueReply("A\r");
    fake.port.failReadCall(1);
    EXPECT_EQ(send("x", 5000), rc::kReceiveFailed);

    EXPECT_EQ(link.SendRecv(nullptr, 5, 5000), rc::kTransactionFailed);
    EXPECT_EQ(link.SendRecv("x", -1, 5000), rc::kTransactionFailed);
    link.ClosePort();
    EXPECT_EQ(send("x", 5000), rc::kTransactionFailed) << "no port to talk on";
}

TEST_F(Transaction, OutputThePlcDidNotTakeIsDroppedBeforeTheClose) {
    struct Case {
        const char* name;
        WriteStatus status;
        std::size_t written;
    } cases[] = {{"time-out", WriteStatus::Timeout, 0},
                 {"error", WriteStatus::Error, 0},
                 {"short", WriteStatus::Ok, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!fake.port.isOpen()) {
            ASSERT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk);
        }
        fake.port.failWriteCall(static_cast<int>(fake.port.writes().size()) + 1, c.status,
                                c.written);
        EXPECT_NE(send("xy", 5000), rc::kOk);
        const std::size_t before = fake.port.calls().size();
        link.ClosePort();
        const std::vector<std::string> tail(fake.port.calls().begin() + before,
                                            fake.port.calls().end());
        EXPECT_EQ(tail, (std::vector<std::string>{"purge", "close"}));
    }
    // After a good write the close drops nothing: the last image block goes without an answer.
    ASSERT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk);
    EXPECT_EQ(send("x", 0), rc::kNoReply);
    const std::size_t before = fake.port.calls().size();
    link.ClosePort();
    EXPECT_EQ(std::vector<std::string>(fake.port.calls().begin() + before, fake.port.calls().end()),
              std::vector<std::string>{"close"});
}

// A close first lets what was written leave, as long as the link and its caller allow, pumping
// events meanwhile; what a device never takes is dropped, so that the close itself cannot
// wait outside every deadline.
TEST_F(Transaction, TheCloseWaitsForTheOutputUntilItsDeadlineThenDropsIt) {
    struct Case {
        const char* name;
        std::optional<std::chrono::milliseconds> drainAfter;
        bool hangUp;
        std::optional<std::chrono::milliseconds> callerDeadline;  // the pump says so from then
        std::chrono::milliseconds waited;
        std::vector<std::string> tail;
    } cases[] = {
        {"drains in time", 400ms, false, std::nullopt, 300ms, {"close"}},
        {"never drains", std::nullopt, false, std::nullopt, 10000ms, {"purge", "close"}},
        {"the caller's deadline", std::nullopt, false, 2000ms, 2000ms, {"purge", "close"}},
        {"port gone", std::nullopt, true, std::nullopt, 0ms, {"close"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!fake.port.isOpen()) {
            ASSERT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk);
        }
        fake.port.drainAfter(c.drainAfter);
        EXPECT_EQ(send("x", 0), rc::kNoReply);
        // A reply that comes while the output drains must not cut the waits short.
        fake.port.inject("late reply", 100ms);
        if (c.hangUp) {
            fake.port.hangUp();
        }
        const auto closing = fake.clock.now();
        const int pumpsBefore = fake.pumpCalls;
        fake.onPump = [&] {
            return c.callerDeadline && fake.clock.now() - closing >= *c.callerDeadline;
        };
        const std::size_t before = fake.port.calls().size();
        link.ClosePort();
        fake.onPump = nullptr;
        EXPECT_EQ(fake.clock.now() - closing, c.waited);
        EXPECT_EQ(
            std::vector<std::string>(fake.port.calls().begin() + before, fake.port.calls().end()),
            c.tail);
        EXPECT_FALSE(fake.port.isOpen());
        if (c.waited > 0ms) {
            EXPECT_GE(fake.pumpCalls - pumpsBefore, c.waited / 100ms) << "events run meanwhile";
        }
    }
    fake.port.drainAfter(0ms);
}

}  // namespace
