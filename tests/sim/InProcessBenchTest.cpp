// The real link against simulated PLCs on virtual time: a whole version-up, every named fault
// as the link reports it, and the bench's ports as the wizard's discovery and reopening see
// them.
#include <gtest/gtest.h>

#include <chrono>

#include "firmware/Images.h"
#include "link/ComManager.h"
#include "platform/serial/SerialPort.h"
#include "platform/text/Utf8.h"
#include "sim/InProcessBench.h"

namespace qx4t::sim {
namespace {

using namespace std::chrono_literals;

class BenchTest : public ::testing::Test {
protected:
    BenchTest() {
        CComManager::SetPortFactory(bench.portFactory());
        CComManager::SetEventPump([] { return false; });
    }
    ~BenchTest() override {
        CComManager::SetPortFactory(nullptr);
        CComManager::SetEventPump(nullptr);
    }

    // Runs the update-mode entry on a fresh open of `port`, closing afterwards.
    int enterUpdateMode(const std::wstring& port) {
        CComManager link;
        int rc = link.OpenPort(port);
        if (rc != 0)
            return rc;
        rc = link.StartFWUpdate(L"01.80");
        link.ClosePort();
        return rc;
    }

    int sendImage(const std::wstring& port, const firmware::Image& image, int* progress) {
        CComManager link;
        int rc = link.OpenPort(port);
        if (rc != 0)
            return rc;
        stPlcStatus status;
        rc = link.ReadPlcStatus(&status);
        if (rc == 0 || rc == 1)
            rc = link.SendFWImage(image.data, static_cast<std::uint32_t>(image.size), progress);
        link.ClosePort();
        return rc;
    }

    VirtualClock clock;
    InProcessBench bench{clock};
};

TEST_F(BenchTest, AWholeVersionUpAsThePagesRunIt) {
    PlcConfig config;
    config.model = "B0";
    config.mode = 0x81;
    PlcCore& plc = bench.addPlc("pts/90", config);
    const auto start = clock.now();

    CComManager link;
    ASSERT_EQ(link.OpenPort(L"pts/90"), 0);
    stPlcStatus status;
    ASSERT_EQ(link.ReadPlcStatus(&status), 0);
    EXPECT_EQ(status.strModel, L"B0");
    EXPECT_EQ(status.strVersion, L"0170");
    EXPECT_EQ(status.strMode, L"81");
    EXPECT_EQ(link.ChangeMode(), 0);
    link.ClosePort();

    ASSERT_EQ(enterUpdateMode(L"pts/90"), 0);
    EXPECT_TRUE(plc.state().entryComplete);
    EXPECT_EQ(plc.state().mode, 0x90);

    int progress = -1;
    ASSERT_EQ(sendImage(L"pts/90", firmware::plainImage(), &progress), 0);
    EXPECT_EQ(progress, 93);

    // The restart poll: nothing until the PLC is back, then the new version.
    clock.advance(7500ms);
    ASSERT_EQ(link.OpenPort(L"pts/90"), 0);
    stPlcStatus after;
    EXPECT_EQ(link.ReadPlcStatus(&after), 105);
    link.ClosePort();
    clock.advance(3s);
    ASSERT_EQ(link.OpenPort(L"pts/90"), 0);
    EXPECT_EQ(link.ReadPlcStatus(&after), 0);
    link.ClosePort();
    EXPECT_EQ(after.strVersion, L"0180");
    EXPECT_EQ(after.strMode, L"80");

    PlcState s = plc.state();
    EXPECT_EQ(s.imageIntact, true);
    EXPECT_EQ(s.restartCount, 1);
    EXPECT_TRUE(s.violations.empty()) << s.violations.front();
    // Virtual time only: the exchange took seconds of it and none of the real clock's.
    EXPECT_LT(clock.now() - start, 60s);
}

TEST_F(BenchTest, EachFaultReachesTheLinkAsItsCode) {
    struct Case {
        const char* what;
        Fault fault;
        std::chrono::milliseconds splitPause;
        int expected;
    };
    const Case cases[] = {
        {"no reply", {FaultKind::NoReply, Request::Status}, 50ms, 105},
        {"error reply", {FaultKind::ErrorReply, Request::Status}, 50ms, 202},
        {"wrong bcc", {FaultKind::WrongBcc, Request::Status}, 50ms, 401},
        {"wrong length", {FaultKind::WrongLength, Request::Status}, 50ms, 202},
        {"split, short pause", {FaultKind::SplitReply, Request::Status}, 50ms, 0},
        {"split, long pause", {FaultKind::SplitReply, Request::Status}, 400ms, 202},
        {"slow replies", {FaultKind::SlowReplies, Request::Status}, 50ms, 0},
    };
    int n = 0;
    for (const auto& c : cases) {
        PlcConfig config;
        config.faults = {c.fault};
        config.splitPause = c.splitPause;
        std::string name = "pts/" + std::to_string(100 + n++);
        bench.addPlc(name, config);
        CComManager link;
        ASSERT_EQ(link.OpenPort(std::wstring(name.begin(), name.end())), 0);
        stPlcStatus status;
        EXPECT_EQ(link.ReadPlcStatus(&status), c.expected) << c.what;
        link.ClosePort();
    }
}

TEST_F(BenchTest, ImageFaultsStopTheTransferWithTheirCode) {
    struct Case {
        const char* what;
        Fault fault;
        int expected;
        int progress;
    };
    const Case cases[] = {
        {"wrong ack", {FaultKind::WrongAck, Request::Image, 2}, 202, 6},
        {"double ack", {FaultKind::DoubleAck, Request::Image, 0}, 202, 0},
        {"silence from block 5", {FaultKind::SilenceFromBlock, Request::Image, 5}, 105, 15},
        {"port closed at block 7", {FaultKind::PortClosedMidTransfer, Request::Image, 7}, -1, 21},
    };
    int n = 0;
    for (const auto& c : cases) {
        PlcConfig config;
        config.faults = {c.fault};
        std::string name = "pts/" + std::to_string(200 + n++);
        PlcCore& plc = bench.addPlc(name, config);
        std::wstring port(name.begin(), name.end());
        ASSERT_EQ(enterUpdateMode(port), 0) << c.what;
        int progress = -1;
        int rc = sendImage(port, firmware::ethernetImage(), &progress);
        if (c.expected >= 0) {
            EXPECT_EQ(rc, c.expected) << c.what;
        } else {
            EXPECT_NE(rc, 0) << c.what;
            EXPECT_NE(rc, 105) << c.what;
        }
        EXPECT_EQ(progress, c.progress) << c.what;
        EXPECT_FALSE(plc.state().imageIntact.value_or(false)) << c.what;
    }
    // The PLC whose port went away is no longer listed, nor can it be opened.
    EXPECT_EQ(bench.portInfos().size(), 3u);
    CComManager link;
    EXPECT_EQ(link.OpenPort(L"pts/203"), 100);
}

// A port whose PLC went away says so: the link can tell a hang-up from other failures.
TEST_F(BenchTest, APortWhosePlcWentAwayReportsAHangUp) {
    PlcConfig config;
    config.mode = 0x90;
    config.faults = {{FaultKind::PortClosedMidTransfer, Request::Image, -1}};
    bench.addPlc("pts/60", config);
    auto port = bench.portFactory()();
    // Under the platform's device path, as the link opens it.
    ASSERT_TRUE(port->open(qx4t::wideToUtf8(serial::devicePrefix()) + "pts/60").ok());
    EXPECT_EQ(port->waitReadable(100ms), serial::WaitStatus::Timeout);
    EXPECT_FALSE(port->hungUp());
    const std::string head(64, '\x5A');
    ASSERT_EQ(port->write(head.data(), head.size(), 1s).status, serial::WriteStatus::Ok);
    EXPECT_EQ(port->waitReadable(100ms), serial::WaitStatus::Error);
    EXPECT_TRUE(port->hungUp());
}

TEST_F(BenchTest, RepliesJustInsideAndJustOutsideTheTimeOut) {
    for (auto [delay, expected] : {std::pair{4800ms, 0}, std::pair{5200ms, 105}}) {
        PlcConfig config;
        config.replyDelay = delay;
        std::string name = "pts/" + std::to_string(delay.count());
        bench.addPlc(name, config);
        CComManager link;
        ASSERT_EQ(link.OpenPort(std::wstring(name.begin(), name.end())), 0);
        stPlcStatus status;
        EXPECT_EQ(link.ReadPlcStatus(&status), expected) << delay.count();
    }
}

TEST_F(BenchTest, PortsAreExclusiveAndFoundByName) {
    bench.addPlc("pts/90", {}, "Brevantis E (simulated)");
    auto factory = bench.portFactory();
    auto a = factory();
    auto b = factory();
    EXPECT_EQ(a->open("/dev/pts/91").status, serial::OpenStatus::NotFound);
    EXPECT_EQ(a->open("pts/90").status, serial::OpenStatus::NotFound);
    ASSERT_TRUE(a->open("/dev/pts/90").ok());
    EXPECT_TRUE(a->isOpen());
    EXPECT_GE(a->handle(), 0);
    EXPECT_EQ(b->open("/dev/pts/90").status, serial::OpenStatus::Busy);
    a->close();
    EXPECT_EQ(a->handle(), -1);
    EXPECT_TRUE(b->open("/dev/pts/90").ok());
    b.reset();  // destroying an open port releases it
    EXPECT_TRUE(a->open("/dev/pts/90").ok());

    CComManager link;
    EXPECT_EQ(link.OpenPort(L"pts/90"), 106);
    EXPECT_EQ(link.OpenPort(L"pts/99"), 100);

    auto infos = bench.portInfos();
    ASSERT_EQ(infos.size(), 1u);
    EXPECT_EQ(infos[0].name, "pts/90");
    EXPECT_EQ(infos[0].description, "Brevantis E (simulated)");
    EXPECT_TRUE(infos[0].isVirtual);
}

TEST_F(BenchTest, ASecondPlcIsListedBesideTheFirst) {
    PlcConfig config;
    config.faults = {Fault{FaultKind::SecondPlc}};
    bench.addPlc("pts/90", config);
    auto infos = bench.portInfos();
    ASSERT_EQ(infos.size(), 2u);
    EXPECT_EQ(infos[0].name, "pts/90");
    EXPECT_EQ(infos[1].name, "pts/91");
    ASSERT_NE(bench.plc("pts/91"), nullptr);
    EXPECT_TRUE(bench.plc("pts/91")->config().faults.empty());
}

TEST_F(BenchTest, AfterTheRestartThePlcAnswersUnderItsNewName) {
    PlcConfig config;
    config.restartTime = 2s;
    config.faults = {Fault{FaultKind::NewNameAfterRestart}};
    PlcCore& plc = bench.addPlc("pts/90", config);
    bench.addPlc("pts/91");
    ASSERT_EQ(enterUpdateMode(L"pts/90"), 0);

    // The tool still holds the old port when the PLC goes: that descriptor only fails now.
    CComManager link;
    ASSERT_EQ(link.OpenPort(L"pts/90"), 0);
    stPlcStatus status;
    ASSERT_EQ(link.ReadPlcStatus(&status), 1);
    int progress = 0;
    ASSERT_EQ(
        link.SendFWImage(firmware::ethernetImage().data,
                         static_cast<std::uint32_t>(firmware::ethernetImage().size), &progress),
        0);
    clock.advance(5s);
    EXPECT_NE(link.ReadPlcStatus(&status), 0);
    link.ClosePort();

    EXPECT_EQ(bench.portNameOf(plc), "pts/92");
    EXPECT_EQ(link.OpenPort(L"pts/90"), 100);
    ASSERT_EQ(link.OpenPort(L"pts/92"), 0);
    EXPECT_EQ(link.ReadPlcStatus(&status), 0);
    EXPECT_EQ(status.strVersion, L"0180");
    auto infos = bench.portInfos();
    ASSERT_EQ(infos.size(), 2u);
    EXPECT_EQ(infos[0].name, "pts/92");
}

TEST(Bench, PortsOutlivingTheBenchFailQuietly) {
    std::unique_ptr<serial::SerialPort> port;
    {
        VirtualClock clock;
        InProcessBench bench(clock);
        bench.addPlc("pts/90");
        port = bench.portFactory()();
        ASSERT_TRUE(port->open("/dev/pts/90").ok());
    }
    EXPECT_EQ(port->waitReadable(100ms), serial::WaitStatus::Error);
    EXPECT_EQ(port->write("x", 1, 100ms).status, serial::WriteStatus::Error);
    EXPECT_EQ(port->bytesWaiting(), -1);
    port->close();
}

}  // namespace
}  // namespace qx4t::sim
