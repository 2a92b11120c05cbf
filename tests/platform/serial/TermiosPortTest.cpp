// The termios port against real pseudo-terminals: the test holds the master side as the PLC.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/serial/SerialPort.h"
#include "tests/platform/serial/RunAsNobody.h"

namespace qx4t::serial {
namespace {

using namespace std::chrono_literals;

struct Pty {
    int master = -1;
    std::string path;
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return;
        path = ::ptsname(master);
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    }
    ~Pty() { closeMaster(); }
    void closeMaster() {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    std::string readAll() {
        std::string out;
        pollfd p{master, POLLIN, 0};
        while (::poll(&p, 1, 200) > 0 && (p.revents & POLLIN)) {
            char buf[4096];
            ssize_t n = ::read(master, buf, sizeof buf);
            if (n <= 0)
                break;
            out.append(buf, static_cast<std::size_t>(n));
        }
        return out;
    }
};

std::string stty(const std::string& path) {
    std::string cmd = "stty -a -F " + path + " 2>&1";
    std::string out;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
        std::array<char, 512> buf{};
        while (std::fgets(buf.data(), buf.size(), p))
            out += buf.data();
        ::pclose(p);
    }
    return out;
}

bool hasWord(const std::string& text, const std::string& word) {
    std::size_t pos = 0;
    while ((pos = text.find(word, pos)) != std::string::npos) {
        bool startOk =
            pos == 0 || text[pos - 1] == ' ' || text[pos - 1] == '\n' || text[pos - 1] == ';';
        std::size_t end = pos + word.size();
        bool endOk =
            end == text.size() || text[end] == ' ' || text[end] == '\n' || text[end] == ';';
        if (startOk && endOk)
            return true;
        pos = end;
    }
    return false;
}

bool kernelKeepsParityOnPty() {
    Pty probe;
    int fd = ::open(probe.path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios t{};
    ::tcgetattr(fd, &t);
    t.c_cflag |= PARENB;
    ::tcsetattr(fd, TCSANOW, &t);
    termios back{};
    ::tcgetattr(fd, &back);
    ::close(fd);
    return back.c_cflag & PARENB;
}

TEST(TermiosPort, OpenFailuresAreNamedAndLeaveThePortClosed) {
    auto port = makeTermiosPort();
    OpenResult r = port->open("/dev/qx4t-no-such-port");
    EXPECT_EQ(r.status, OpenStatus::NotFound);
    EXPECT_FALSE(r.reason.empty());
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(port->handle(), -1);

    // A file that is not a terminal is refused rather than taken for a port.
    r = port->open("/dev/null");
    EXPECT_EQ(r.status, OpenStatus::Failed);
    EXPECT_FALSE(port->isOpen());
}

TEST(TermiosPort, ConfiguresTheLineAndStaysCloseOnExec) {
    Pty pty;
    ASSERT_FALSE(pty.path.empty());
    auto port = makeTermiosPort();
    ASSERT_TRUE(port->open(pty.path).ok());
    EXPECT_TRUE(port->configure());
    EXPECT_TRUE(::fcntl(port->handle(), F_GETFD) & FD_CLOEXEC);

    std::string settings = stty(pty.path);
    for (const char* word :
         {"speed 9600 baud", "cs8", "parodd", "-cstopb", "clocal", "cread", "-icanon", "-echo",
          "-isig", "-icrnl", "-opost", "-ixon", "-crtscts", "min = 0", "time = 0"}) {
        EXPECT_NE(settings.find(word), std::string::npos) << word << " in\n" << settings;
    }
    EXPECT_FALSE(hasWord(settings, "icanon"));
    // Recent Linux kernels drop PARENB on a pseudo-terminal (it has no parity to check); where
    // the kernel keeps it, it must be on.
    if (kernelKeepsParityOnPty()) {
        EXPECT_TRUE(hasWord(settings, "parenb")) << settings;
    }
    // Configuring again finds everything in place.
    EXPECT_TRUE(port->configure());
}

TEST(TermiosPort, IsExclusiveUntilClosed) {
    Pty pty;
    ASSERT_FALSE(pty.path.empty());
    auto first = makeTermiosPort();
    auto second = makeTermiosPort();
    ASSERT_TRUE(first->open(pty.path).ok());
    OpenResult busy = second->open(pty.path);
    EXPECT_EQ(busy.status, OpenStatus::Busy);
    EXPECT_FALSE(busy.reason.empty());
    EXPECT_FALSE(second->isOpen());

    first->close();
    EXPECT_FALSE(first->isOpen());
    EXPECT_TRUE(second->open(pty.path).ok());
    // And the first may come back after the second lets go, as the wizard does between steps.
    second->close();
    EXPECT_TRUE(first->open(pty.path).ok());
}

TEST(TermiosPort, MovesBytesBothWaysAndPurges) {
    Pty pty;
    ASSERT_FALSE(pty.path.empty());
    auto port = makeTermiosPort();
    ASSERT_TRUE(port->open(pty.path).ok());
    ASSERT_TRUE(port->configure());

    // CR and NUL must cross untouched in both directions.
    const std::string request("%EE#RMP49\r\n\0x", 13);
    WriteResult w = port->write(request.data(), request.size(), 1000ms);
    EXPECT_EQ(w.status, WriteStatus::Ok);
    EXPECT_EQ(w.written, request.size());
    EXPECT_EQ(pty.readAll(), request);

    EXPECT_EQ(port->waitReadable(0ms), WaitStatus::Timeout);
    const std::string reply("%EE$RM\0\r", 8);
    ASSERT_EQ(::write(pty.master, reply.data(), reply.size()), 8);
    EXPECT_EQ(port->waitReadable(2000ms), WaitStatus::Ready);
    // The line discipline may hand the bytes over a moment after poll() says so.
    std::string got;
    for (int i = 0; i < 100 && got.size() < reply.size(); ++i) {
        if (port->waitReadable(20ms) != WaitStatus::Ready)
            continue;
        long waiting = port->bytesWaiting();
        ASSERT_GE(waiting, 1);
        std::vector<char> buf(static_cast<std::size_t>(waiting));
        long n = port->read(buf.data(), buf.size());
        ASSERT_GE(n, 0);
        got.append(buf.data(), static_cast<std::size_t>(n));
    }
    EXPECT_EQ(got, reply);
    EXPECT_EQ(port->read(&got[0], 1), 0);  // nothing left, and no wait

    // A late reply is gone after a purge.
    ASSERT_EQ(::write(pty.master, "late", 4), 4);
    ASSERT_EQ(port->waitReadable(2000ms), WaitStatus::Ready);
    EXPECT_TRUE(port->purge());
    EXPECT_EQ(port->bytesWaiting(), 0);
    EXPECT_EQ(port->waitReadable(20ms), WaitStatus::Timeout);
}

TEST(TermiosPort, WriteGivesUpAtItsDeadlineWhenNobodyReads) {
    Pty pty;
    ASSERT_FALSE(pty.path.empty());
    auto port = makeTermiosPort();
    ASSERT_TRUE(port->open(pty.path).ok());
    ASSERT_TRUE(port->configure());
    std::vector<char> big(4 << 20, 'x');
    WriteResult w = port->write(big.data(), big.size(), 50ms);
    EXPECT_EQ(w.status, WriteStatus::Timeout);
    EXPECT_GT(w.written, 0u);
    EXPECT_LT(w.written, big.size());
}

TEST(TermiosPort, AVanishedPeerIsAnErrorNotAWait) {
    Pty pty;
    ASSERT_FALSE(pty.path.empty());
    auto port = makeTermiosPort();
    ASSERT_TRUE(port->open(pty.path).ok());
    ASSERT_TRUE(port->configure());
    EXPECT_EQ(port->waitReadable(10ms), WaitStatus::Timeout);
    EXPECT_FALSE(port->hungUp()) << "silence is not a hang-up";
    pty.closeMaster();
    EXPECT_EQ(port->waitReadable(1000ms), WaitStatus::Error);
    EXPECT_TRUE(port->hungUp()) << "told apart from other failures";
    char c;
    EXPECT_EQ(port->read(&c, 1), -1);
    EXPECT_EQ(port->write("x", 1, 100ms).status, WriteStatus::Error);
    port->close();
    EXPECT_EQ(port->waitReadable(0ms), WaitStatus::Error);
    EXPECT_EQ(port->bytesWaiting(), -1);
    EXPECT_FALSE(port->purge());
}

// Whichever call meets the hang-up first records it, so that the link can take it as the
// silence of a PLC that restarted, however the hang-up and the link's calls interleave.
TEST(TermiosPort, AHangUpIsRecordedByWhicheverCallMeetsItFirst) {
    const std::pair<const char*, std::function<bool(SerialPort&)>> firstCalls[] = {
        {"bytes waiting", [](SerialPort& p) { return p.bytesWaiting() <= 0; }},
        {"read",
         [](SerialPort& p) {
             char c;
             return p.read(&c, 1) == -1;
         }},
        {"wait", [](SerialPort& p) { return p.waitReadable(1000ms) == WaitStatus::Error; }},
    };
    for (const auto& [name, call] : firstCalls) {
        Pty pty;
        ASSERT_FALSE(pty.path.empty());
        auto port = makeTermiosPort();
        ASSERT_TRUE(port->open(pty.path).ok());
        ASSERT_TRUE(port->configure());
        pty.closeMaster();
        EXPECT_TRUE(call(*port)) << name << ": a hung-up line is no reply";
        EXPECT_TRUE(port->hungUp()) << name;
    }
}

// Only meaningful in the unprivileged re-run: a port owned by root with mode 0600.
TEST(TermiosPort, PermissionDeniedKeepsTheReason) {
    const char* path = std::getenv("QX4T_TEST_ROOT_ONLY_PORT");
    if (!path || !qx4t::testing::runningAsNobody())
        GTEST_SKIP() << "runs as nobody only";
    auto port = makeTermiosPort();
    OpenResult r = port->open(path);
    EXPECT_EQ(r.status, OpenStatus::PermissionDenied);
    EXPECT_NE(r.reason.find("ermission"), std::string::npos) << r.reason;
}

TEST(TermiosPort, EverythingHoldsForAnUnprivilegedUser) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to switch to nobody";
    Pty rootOnly;
    ASSERT_FALSE(rootOnly.path.empty());
    ASSERT_EQ(::chmod(rootOnly.path.c_str(), 0600), 0);
    int status = qx4t::testing::rerunAsNobody("TermiosPort.*:-*Unprivileged*",
                                              {"QX4T_TEST_ROOT_ONLY_PORT=" + rootOnly.path});
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace qx4t::serial
