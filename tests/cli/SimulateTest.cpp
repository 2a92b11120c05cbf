// Real runs of qx4t-vup update over a pseudo-terminal, on the machine's clock, with
// the termios port and the simulator serving on its own thread. Each takes the designed waits
// (about 13 s), so there are two of the kind: the plain run, and a PLC that hangs up as it
// restarts, which only a real terminal shows as the tool meets it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "JsonLines.h"
#include "cli/ExitCodes.h"
#include "cli/Machine.h"
#include "platform/Quit.h"
#include "sim/PtyServer.h"
#include "tests/support/BoundedWait.h"
#include "tests/support/TempFolder.h"

namespace qx4t::cli {
namespace {

// An environment variable set for the life of the object.
struct Variable {
    const char* name;
    std::optional<std::string> was;
    Variable(const char* n, const std::string& value) : name(n) {
        if (const char* v = std::getenv(n))
            was = v;
        ::setenv(n, value.c_str(), 1);
    }
    ~Variable() { was ? (void)::setenv(name, was->c_str(), 1) : (void)::unsetenv(name); }
};

TEST(CliSimulate, UpdateOverAPseudoTerminalReachesTheTargetVersion) {
    quit::install();
    quit::reset();
    Environment env = MachineEnvironment();
    env.progressInPlace = false;
    env.ask = [](const std::string& question) -> std::optional<bool> {
        ADD_FAILURE() << "unexpected question: " << question;
        return std::nullopt;
    };
    std::ostringstream out, err;
    const int code = RunVup({"update", "--simulate", "--yes", "--json"}, out, err, env);
    ASSERT_EQ(code, kExitSuccess) << err.str() << out.str();

    const auto records = test::ParseJsonLines(out.str());
    ASSERT_FALSE(records.empty());
    const auto& result = records.back();
    EXPECT_EQ(test::Str(result, "type"), "result");
    EXPECT_EQ(test::Str(result, "version_raw"), "0180");
    EXPECT_EQ(test::Str(result, "port").rfind("pts/", 0), 0u) << test::Str(result, "port");
    int blocks = 0;
    for (const auto& r : records) {
        if (test::Str(r, "type") == "progress" && test::Str(r, "phase") == "transfer")
            ++blocks;
    }
    EXPECT_EQ(blocks, 34);
}

// A PLC whose USB port re-enumerates as it restarts on the last image byte: the line the tool
// holds hangs up before the last block could be answered. The PLC has the whole image, so
// the run goes on to the restart wait, finds the PLC under its new name and verifies 1.80.
TEST(CliSimulate, AHangUpAsThePlcRestartsIsNoFailure) {
    quit::install();
    quit::reset();
    const std::string folder = test::MakeTempFolder("qx4t-hangup");
    ASSERT_FALSE(folder.empty());
    // The run's note and the simulator's registry entry in a folder of the test's own.
    const Variable state("XDG_STATE_HOME", folder), runtime("XDG_RUNTIME_DIR", folder);
    sim::PtyServerOptions options;
    options.config.restartTime = std::chrono::seconds(1);
    options.config.faults = {sim::Fault{sim::FaultKind::HangUpAfterImage}};
    sim::PtyServer server(options);
    std::string error;
    ASSERT_TRUE(server.start(&error)) << error;
    const std::string before = server.portName();

    Environment env = MachineEnvironment();
    env.progressInPlace = false;
    std::ostringstream out, err;
    const int code = RunVup({"update", "--port", before, "--yes", "--json"}, out, err, env);
    server.stop();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    ASSERT_EQ(code, kExitSuccess) << err.str() << out.str();
    const auto records = test::ParseJsonLines(out.str());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(test::Str(records.back(), "version_raw"), "0180");
    EXPECT_NE(test::Str(records.back(), "port"), before) << "not followed to its new name";
}

// Identity over real pseudo-terminals and the real registry, as two `qx4t-plcsim --id X` show
// it: a shared id is refused before anything is written, an alias of the port is that port,
// and a port that discovery shows under another identity once the question has been answered
// gets nothing. None of these reaches the restart wait.
TEST(CliSimulate, IdentityOverPseudoTerminals) {
    quit::install();
    quit::reset();
    const std::string folder = test::MakeTempFolder("qx4t-identity");
    ASSERT_FALSE(folder.empty());
    const Variable state("XDG_STATE_HOME", folder), runtime("XDG_RUNTIME_DIR", folder);
    auto server = [](const std::string& id) {
        sim::PtyServerOptions options;
        options.identity = id;
        return std::make_unique<sim::PtyServer>(options);
    };
    // What discovery will say of the device under `port` from now on: another simulator's id.
    auto relabel = [&](const std::string& port) {
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder) /
                                                                     "qx4t" / "ports")) {
            std::ifstream in(entry.path());
            std::string text((std::istreambuf_iterator<char>(in)), {});
            if (text.find("port=" + port + "\n") == std::string::npos)
                continue;
            const auto id = text.find("\nid=") + 1;
            text.replace(id, text.find('\n', id) - id, "id=another");
            std::ofstream(entry.path(), std::ios::trunc) << text;
        }
    };
    struct Case {
        const char* name;
        std::vector<std::string> ids;  // one simulator each
        std::vector<std::string> args;
        int exit;
        const char* said;
        bool swapAtQuestion;
    };
    const Case cases[] = {
        {"one id on two PLCs",
         {"X", "X"},
         {"update", "--yes"},
         kExitNoPort,
         "Attach one PLC at a time",
         false},
        {"an alias", {"alias"}, {"status", "--port", "pts/../"}, kExitSuccess, " is pts/", false},
        {"another PLC on the name at the question",
         {"first"},
         {"update"},
         kExitCommBeforeEntry,
         "a PLC of another identity (virtual:another on pts/",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::unique_ptr<sim::PtyServer>> servers;
        for (const auto& id : c.ids) {
            servers.push_back(server(id));
            std::string error;
            ASSERT_TRUE(servers.back()->start(&error)) << error;
        }
        const std::string port = servers.front()->portName();
        std::vector<std::string> args = c.args;
        if (args.back() == "pts/../")
            args.back() += port;
        else if (args.front() == "update")
            args.insert(args.end(), {"--port", port});
        Environment env = MachineEnvironment();
        env.progressInPlace = false;
        env.modemManagerRunning = {};
        env.holdFolder = folder + "/holds";
        env.ask = [&](const std::string&) -> std::optional<bool> {
            if (c.swapAtQuestion)
                relabel(port);
            return true;
        };
        std::ostringstream out, err;
        EXPECT_EQ(RunVup(args, out, err, env), c.exit) << err.str() << out.str();
        EXPECT_NE((out.str() + err.str()).find(c.said), std::string::npos)
            << err.str() << out.str();
        for (const auto& s : servers) {
            EXPECT_EQ(s->state().entryFrames, 0);
            s->stop();
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// A terminal program that holds the PLC's port without a lock: exit 2, naming it.
TEST(CliProgram, APortHeldByAnotherProgramExitsTwoNamingIt) {
    quit::install();
    quit::reset();
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        ::close(master);
        const int fd = ::open(slave.c_str(), O_RDWR | O_NOCTTY);
        const char byte = fd >= 0 ? 'y' : 'n';
        (void)::write(ready[1], &byte, 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');

    Environment env = MachineEnvironment();
    env.progressInPlace = false;
    env.modemManagerRunning = {};
    std::ostringstream out, err;
    const int code = RunVup({"status", "--port", slave.substr(5)}, out, err, env);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(master);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(code, kExitNoPort) << err.str();
    EXPECT_NE(err.str().find(slave + " is in use by "), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("(pid " + std::to_string(holder) + ")"), std::string::npos)
        << err.str();
}

// Output piped into a reader that has gone (`| head`, a dropped log pipe) must not end the tool:
// dying there in the middle of the transfer would strand the PLC in its update mode.
TEST(CliProgram, OutputToAClosedPipeDoesNotKillIt) {
    const auto program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "qx4t-vup";
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    ::close(pipeFds[0]);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // As a shell starts it, whatever the test runner does with the signal.
        ::signal(SIGPIPE, SIG_DFL);
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::execl(program.c_str(), "qx4t-vup", "--help", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_FALSE(WIFSIGNALED(status)) << "killed by signal " << WTERMSIG(status);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 127) << program;
}

// A hang-up of the terminal (a dropped SSH session) must not kill a run that may already be
// sending the image.
TEST(CliProgram, ATerminalHangUpDoesNotKillIt) {
    const auto program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "qx4t-vup";
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::signal(SIGHUP, SIG_DFL);
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(devNull, STDOUT_FILENO);
        ::dup2(devNull, STDERR_FILENO);
        ::execl(program.c_str(), "qx4t-vup", "update", "--simulate", "--yes",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Once the program has set its signal policy, hang it up, then end it with Ctrl-C.
    const auto ignoresHangUp = [pid] {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("SigIgn:", 0) == 0) {
                return (std::stoull(line.substr(7), nullptr, 16) & (1ULL << (SIGHUP - 1))) != 0;
            }
        }
        return false;
    };
    (void)test::WaitFor(ignoresHangUp, std::chrono::seconds(10));
    ::kill(pid, SIGHUP);
    ::kill(pid, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_FALSE(WIFSIGNALED(status)) << "killed by signal " << WTERMSIG(status);
}

}  // namespace
}  // namespace qx4t::cli
