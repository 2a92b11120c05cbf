// The simulator on real pseudo-terminals with the real link and termios port: what a user's
// machine does, including as an unprivileged user.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "firmware/Images.h"
#include "link/ComManager.h"
#include "platform/ports/PortEnumerator.h"
#include "sim/PtyServer.h"
#include "tests/platform/serial/RunAsNobody.h"
#include "tests/support/BoundedWait.h"

namespace qx4t::sim {
namespace {

using namespace std::chrono_literals;

std::wstring wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

std::string run(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        std::array<char, 512> buf{};
        while (std::fgets(buf.data(), buf.size(), p))
            out += buf.data();
        ::pclose(p);
    }
    return out;
}

class PtyTest : public ::testing::Test {
protected:
    PtyTest() {
        char tmpl[] = "/tmp/qx4t-simtest-XXXXXX";
        folder = ::mkdtemp(tmpl);
    }
    ~PtyTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    PtyServerOptions options(PlcConfig config = {}) {
        PtyServerOptions o;
        o.config = std::move(config);
        o.registryFolder = folder;
        return o;
    }
    std::string folder;
};

TEST_F(PtyTest, AWholeVersionUpWithTheLinkReopeningBetweenSteps) {
    PlcConfig config;
    config.model = "B0";
    config.mode = 0x81;
    config.restartTime = 300ms;
    PtyServer server(options(config));
    std::string error;
    ASSERT_TRUE(server.start(&error)) << error;
    const std::wstring port = wide(server.portName());
    ASSERT_EQ(server.portName().rfind("pts/", 0), 0u);

    CComManager link;
    ASSERT_EQ(link.OpenPort(port), 0);
    std::string stty = run("stty -a -F /dev/" + server.portName());
    for (const char* word : {"speed 9600 baud", "cs8", "parodd", "-cstopb", "-icanon", "-echo"})
        EXPECT_NE(stty.find(word), std::string::npos) << word << " in\n" << stty;
    stPlcStatus status;
    ASSERT_EQ(link.ReadPlcStatus(&status), 0);
    EXPECT_EQ(status.strModel, L"B0");
    EXPECT_EQ(status.strVersion, L"0170");
    link.ClosePort();

    // Closing and reopening between commands, as the wizard does, any number of times.
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(link.OpenPort(port), 0) << i;
        EXPECT_EQ(link.ReadPlcStatus(&status), 0) << i;
        link.ClosePort();
    }
    ASSERT_EQ(link.OpenPort(port), 0);
    EXPECT_EQ(link.ChangeMode(), 0);
    link.ClosePort();
    ASSERT_EQ(link.OpenPort(port), 0);
    EXPECT_EQ(link.StartFWUpdate(L"01.80"), 0);
    link.ClosePort();
    EXPECT_TRUE(server.state().entryComplete);

    ASSERT_EQ(link.OpenPort(port), 0);
    ASSERT_EQ(link.ReadPlcStatus(&status), 1);
    EXPECT_EQ(status.strMode, L"90");
    int progress = 0;
    auto image = firmware::plainImage();
    EXPECT_EQ(link.SendFWImage(image.data, static_cast<std::uint32_t>(image.size), &progress), 0);
    link.ClosePort();
    EXPECT_EQ(progress, 93);

    ASSERT_TRUE(test::WaitFor(
        [&] {
            PlcState s = server.state();
            return s.restartCount == 1 && !s.restarting;
        },
        10s));
    ASSERT_EQ(link.OpenPort(port), 0);
    EXPECT_EQ(link.ReadPlcStatus(&status), 0);
    link.ClosePort();
    EXPECT_EQ(status.strVersion, L"0180");
    PlcState s = server.state();
    EXPECT_EQ(s.imageIntact, true);
    EXPECT_EQ(s.imageBytes, image.size);
    EXPECT_TRUE(s.violations.empty()) << s.violations.front();
}

TEST_F(PtyTest, ThePortIsExclusiveAndAMissingOneIsReported) {
    PtyServer server(options());
    ASSERT_TRUE(server.start());
    const std::wstring port = wide(server.portName());
    CComManager first, second;
    ASSERT_EQ(first.OpenPort(port), 0);
    EXPECT_EQ(second.OpenPort(port), 106);
    EXPECT_EQ(second.m_hComm, -1);
    first.ClosePort();
    EXPECT_EQ(second.OpenPort(port), 0);
    stPlcStatus status;
    EXPECT_EQ(second.ReadPlcStatus(&status), 0);
    second.ClosePort();
    EXPECT_EQ(first.OpenPort(L"pts/99999"), 100);
    EXPECT_EQ(first.m_hComm, -1);
}

TEST_F(PtyTest, ThePortIsRegisteredWhileServedAndFollowsANewName) {
    PlcConfig config;
    config.restartTime = 100ms;
    config.mode = 0x90;  // already in update mode: straight to the image
    config.faults = {Fault{FaultKind::NewNameAfterRestart}, Fault{FaultKind::SecondPlc}};
    auto o = options(config);
    o.description = "TEMLO PLC (bench 3)";
    PtyServer server(o);
    ASSERT_TRUE(server.start());
    const std::string before = server.portName();
    auto listed = ports::readVirtualPorts(folder);
    ASSERT_EQ(listed.size(), 2u);  // with the second PLC
    EXPECT_EQ(listed[0].description, "TEMLO PLC (bench 3)");
    const auto* mine = ports::findByIdentity(listed, "virtual:" + server.identity());
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(mine->name, before);
    EXPECT_NE(listed[0].identity, listed[1].identity) << "the second PLC is another device";

    CComManager link;
    ASSERT_EQ(link.OpenPort(wide(before)), 0);
    int progress = 0;
    auto image = firmware::ethernetImage();
    ASSERT_EQ(link.SendFWImage(image.data, static_cast<std::uint32_t>(image.size), &progress), 0);
    link.ClosePort();
    ASSERT_TRUE(test::WaitFor([&] { return server.portName() != before; }, 10s));
    const std::string after = server.portName();
    ASSERT_FALSE(after.empty());
    bool found = false;
    for (const auto& p : ports::readVirtualPorts(folder)) {
        EXPECT_NE(p.name, before);
        found = found || p.name == after;
    }
    EXPECT_TRUE(found);
    const auto renamed = ports::readVirtualPorts(folder);
    mine = ports::findByIdentity(renamed, "virtual:" + server.identity());
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(mine->name, after) << "the same device under its new name";
    ASSERT_EQ(link.OpenPort(wide(after)), 0);
    stPlcStatus status;
    EXPECT_EQ(link.ReadPlcStatus(&status), 0);
    EXPECT_EQ(status.strVersion, L"0180");
    link.ClosePort();

    server.stop();
    EXPECT_TRUE(ports::readVirtualPorts(folder).empty());
}

std::string programPath() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "qx4t-plcsim";
}

TEST_F(PtyTest, TheProgramPrintsItsPortServesAndCleansUpOnSigterm) {
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        std::string path = programPath();
        ::execl(path.c_str(), "qx4t-plcsim", "--model", "B0", "--version", "0150", "--mode", "80",
                static_cast<char*>(nullptr));
        // The first line is what the test reads: make it say why the program did not start.
        std::string failed = "exec " + path + ": " + std::strerror(errno) + "\n";
        [[maybe_unused]] auto n = ::write(1, failed.data(), failed.size());
        ::_exit(127);
    }
    ::close(out[1]);
    std::string line;
    char c;
    while (::read(out[0], &c, 1) == 1 && c != '\n')
        line += c;
    ::close(out[0]);
    ASSERT_EQ(line.rfind("pts/", 0), 0u) << line;

    auto listed = ports::readVirtualPorts(folder + "/qx4t/ports");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].name, line);
    EXPECT_EQ(listed[0].description, "TEMLO PLC (simulated)");

    CComManager link;
    ASSERT_EQ(link.OpenPort(wide(line)), 0);
    stPlcStatus status;
    EXPECT_EQ(link.ReadPlcStatus(&status), 0);
    EXPECT_EQ(status.strVersion, L"0150");
    link.ClosePort();

    ::kill(pid, SIGTERM);
    int wstatus = 0;
    ASSERT_EQ(::waitpid(pid, &wstatus, 0), pid);
    EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0);
    EXPECT_TRUE(ports::readVirtualPorts(folder + "/qx4t/ports").empty());
}

TEST(PlcsimProgram, HelpNamesEveryOptionAndFaultAndBadOptionsAreRefused) {
    std::string help = run(programPath() + " --help");
    for (const char* option :
         {"--model", "--version", "--mode", "--reply-delay", "--restart-time", "--description",
          "--fault ", "--fault-block", "--fault-on", "--fault-count", "--log", "--help"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    for (const auto& f : faultCatalogue())
        EXPECT_NE(help.find(std::string(f.name)), std::string::npos) << f.name;

    for (const char* bad : {"--fault nonsense", "--mode 1", "--model B", "--reply-delay -5",
                            "--fault-block 3", "--bogus"}) {
        int rc = std::system((programPath() + " " + bad + " >/dev/null 2>&1").c_str());
        EXPECT_TRUE(WIFEXITED(rc) && WEXITSTATUS(rc) == 2) << bad;
    }
}

TEST(PtyServerUnprivileged, EverythingHoldsForAnUnprivilegedUser) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to switch to nobody";
    EXPECT_EQ(qx4t::testing::rerunAsNobody("PtyTest.*", {}, {"qx4t-plcsim"}), 0);
}

}  // namespace
}  // namespace qx4t::sim
