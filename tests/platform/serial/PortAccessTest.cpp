// Who holds a port, on small /proc trees over real pseudo-terminals and with a real second
// process; who may open one, as nobody.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/serial/PortAccess.h"
#include "platform/serial/SerialPort.h"
#include "tests/platform/serial/RunAsNobody.h"

namespace qx4t::serial {
namespace {

namespace fs = std::filesystem;

struct Pty {
    int master = -1;
    std::string path;
    int index = -1;
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return;
        path = ::ptsname(master);
        index = std::atoi(path.c_str() + std::string("/dev/pts/").size());
    }
    ~Pty() {
        if (master >= 0)
            ::close(master);
    }
};

// A /proc of our own: processes by pid with their names and descriptors.
class FakeProc {
public:
    FakeProc() : root_(fs::temp_directory_path() / ("qx4t-proc-" + std::to_string(::getpid()))) {
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    ~FakeProc() { fs::remove_all(root_); }
    void process(long pid, const std::string& name) {
        fs::create_directories(dir(pid) / "fd");
        fs::create_directories(dir(pid) / "fdinfo");
        std::ofstream(dir(pid) / "comm") << name << "\n";
    }
    void fd(long pid, int fd, const std::string& target, const std::string& info = {}) {
        fs::create_symlink(target, dir(pid) / "fd" / std::to_string(fd));
        std::ofstream(dir(pid) / "fdinfo" / std::to_string(fd)) << "pos:\t0\nflags:\t02\n" << info;
    }
    [[nodiscard]] std::string root() const { return root_.string(); }

private:
    [[nodiscard]] fs::path dir(long pid) const { return root_ / std::to_string(pid); }
    fs::path root_;
};

std::vector<long> pidsOf(const PortHolders& found) {
    std::vector<long> pids;
    for (const auto& h : found.holders)
        pids.push_back(h.pid);
    return pids;
}

TEST(PortHolders, OthersCountButThePortsOwnServerDoesNot) {
    Pty pty, other;
    ASSERT_FALSE(pty.path.empty());
    ASSERT_FALSE(other.path.empty());
    FakeProc proc;
    proc.process(100, "picocom");  // a terminal program on the port
    proc.fd(100, 3, pty.path);
    proc.process(200, "qx4t-plcsim");  // the server: master and slave side
    proc.fd(200, 5, "/dev/ptmx", "tty-index:\t" + std::to_string(pty.index) + "\n");
    proc.fd(200, 6, pty.path);
    proc.process(300, "rig");  // a registered port's pid=
    proc.fd(300, 4, pty.path);
    proc.process(400, "screen");  // holds another terminal's master, and this slave
    proc.fd(400, 7, "/dev/ptmx", "tty-index:\t" + std::to_string(other.index) + "\n");
    proc.fd(400, 8, pty.path);
    proc.process(500, "bash");
    proc.fd(500, 0, "/dev/null");
    proc.fd(500, 1, "pipe:[1234]");
    proc.process(::getpid(), "self");
    proc.fd(::getpid(), 9, pty.path);

    const PortHolders found = findPortHolders(pty.path, {300}, proc.root());
    EXPECT_EQ(pidsOf(found), (std::vector<long>{100, 400}));
    EXPECT_FALSE(found.someHidden);
    EXPECT_EQ(describeHolders(found.holders), "picocom (pid 100), screen (pid 400)");

    EXPECT_TRUE(findPortHolders(other.path, {}, proc.root()).holders.empty())
        << "holding a master is not holding the slave";
    EXPECT_TRUE(findPortHolders("/dev/does-not-exist", {}, proc.root()).holders.empty());
}

TEST(PortHolders, AProgramWithoutALockMakesThePortBusyAndIsNamed) {
    Pty pty;
    ASSERT_FALSE(pty.path.empty());
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Opens the line as a terminal program does: no lock, and not the master side that
        // fork handed it.
        ::close(pty.master);
        const int fd = ::open(pty.path.c_str(), O_RDWR | O_NOCTTY);
        char byte = fd >= 0 ? 'y' : 'n';
        (void)::write(ready[1], &byte, 1);
        (void)::read(release[0], &byte, 1);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');

    auto port = makeTermiosPort();
    const OpenResult r = port->open(pty.path);
    EXPECT_EQ(r.status, OpenStatus::Busy);
    EXPECT_NE(r.reason.find("pid " + std::to_string(child)), std::string::npos) << r.reason;
    EXPECT_FALSE(port->isOpen());

    (void)::write(release[1], &byte, 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(port->open(pty.path).ok()) << "free again once the program has gone";
    for (int fd : {ready[0], ready[1], release[0], release[1]})
        ::close(fd);
}

TEST(PortHolders, AnUnreadableProcessIsHiddenNotAHolder) {
    if (!qx4t::testing::runningAsNobody())
        GTEST_SKIP() << "runs as nobody only";
    const char* held = std::getenv("QX4T_TEST_HELD_PORT");
    ASSERT_NE(held, nullptr);
    // The root test process holds and locks it; nobody cannot see that process's files.
    const PortHolders found = findPortHolders(held);
    EXPECT_TRUE(found.holders.empty());
    EXPECT_TRUE(found.someHidden);
    auto port = makeTermiosPort();
    const OpenResult r = port->open(held);
    EXPECT_EQ(r.status, OpenStatus::Busy);
    EXPECT_EQ(r.reason, "may be in use by another program");
}

TEST(DeviceAccess, NamesTheOwningGroupOnlyWhereMembershipWouldHelp) {
    if (!qx4t::testing::runningAsNobody())
        GTEST_SKIP() << "runs as nobody only";
    const char* rootOnly = std::getenv("QX4T_TEST_ROOT_ONLY_PORT");
    const char* groupPort = std::getenv("QX4T_TEST_GROUP_PORT");
    ASSERT_NE(rootOnly, nullptr);
    ASSERT_NE(groupPort, nullptr);
    const DeviceAccess root = deviceAccess(rootOnly);
    EXPECT_TRUE(root.denied);
    EXPECT_EQ(root.group, "root");
    EXPECT_FALSE(root.groupWouldHelp);
    const DeviceAccess group = deviceAccess(groupPort);
    EXPECT_TRUE(group.denied);
    EXPECT_EQ(group.group, "dialout");
    EXPECT_TRUE(group.groupWouldHelp);
    EXPECT_FALSE(group.memberNotInSession);
}

TEST(PortAccess, HoldsForAnUnprivilegedUser) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to switch to nobody";
    if (::access("/usr/bin/setpriv", X_OK) != 0)
        GTEST_SKIP() << "setpriv missing";
    EXPECT_FALSE(deviceAccess("/dev/null").denied);
    Pty rootOnly, groupOwned, held;
    ASSERT_FALSE(rootOnly.path.empty());
    ASSERT_EQ(::chmod(rootOnly.path.c_str(), 0600), 0);
    ASSERT_EQ(::chown(rootOnly.path.c_str(), 0, 0), 0);
    ASSERT_FALSE(groupOwned.path.empty());
    if (::chown(groupOwned.path.c_str(), 0, 20) != 0 || ::chmod(groupOwned.path.c_str(), 0660) != 0)
        GTEST_SKIP() << "no group 20";
    ASSERT_FALSE(held.path.empty());
    ASSERT_EQ(::chmod(held.path.c_str(), 0666), 0);
    const int heldFd = ::open(held.path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(heldFd, 0);
    ASSERT_EQ(::flock(heldFd, LOCK_EX | LOCK_NB), 0);
    const int status = qx4t::testing::rerunAsNobody(
        "PortHolders.*Hidden*:DeviceAccess.*",
        {"QX4T_TEST_ROOT_ONLY_PORT=" + rootOnly.path, "QX4T_TEST_GROUP_PORT=" + groupOwned.path,
         "QX4T_TEST_HELD_PORT=" + held.path});
    EXPECT_EQ(status, 0);
    ::close(heldFd);
}

}  // namespace
}  // namespace qx4t::serial
