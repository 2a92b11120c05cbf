#include "link/RunLog.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "link/ImageTransfer.h"
#include "platform/AppFolders.h"
#include "platform/Clock.h"
#include "platform/PrivateFiles.h"

namespace fs = std::filesystem;
using qx4t::link::kKeptRunLogs;
using qx4t::link::RunLog;

namespace {

class RunLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/qx4t-runlog-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_root = pattern;
    }
    void TearDown() override { fs::remove_all(m_root); }

    [[nodiscard]] std::vector<std::string> logs(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".log")
                names.push_back(entry.path().filename().string());
        }
        return names;
    }

    static std::string read(const std::string& path) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string m_root;
    qx4t::VirtualClock m_clock;
};

TEST_F(RunLogTest, FramesWholeImagePiecesSummarisedAndTheOutcomeLast) {
    const std::string folder = m_root + "/state/qx4t";  // made, with its parent, on first use
    RunLog log;
    ASSERT_TRUE(log.open(folder, "qx4t-vup", m_clock, 7)) << log.error();
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    // The open log is not inherited by a program the run starts (the PDF viewer).
    int logFds = 0;
    for (const auto& fd : fs::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        if (fs::read_symlink(fd.path(), ec) == fs::path(log.path())) {
            ++logFds;
            EXPECT_NE(::fcntl(std::stoi(fd.path().filename()), F_GETFD) & FD_CLOEXEC, 0);
        }
    }
    EXPECT_EQ(logFds, 2);  // the log written, and the lock held on it while it is

    log.exchange('>', "%EE#RMP\r");
    log.exchange('<', std::string("\0", 1));
    log.exchange('>', std::string(qx4t::link::kImageHeadSize, 'h'));
    log.exchange('>', std::string(qx4t::link::kImageBlockSize, '\x5A'));
    // A long update-mode entry frame is still a frame: written byte for byte.
    const std::string entry = "%EE#" + std::string(510, '3') + "**\r";
    log.exchange('>', entry);
    ASSERT_TRUE(log.close("exit 0: the PLC runs 01.80"));

    const std::string text = read(log.path());
    EXPECT_NE(text.find("> 25 45 45 23 52 4D 50 0D\n"), std::string::npos) << text;
    EXPECT_NE(text.find("< 00\n"), std::string::npos);
    EXPECT_NE(text.find("image head: 64 bytes, CRC-32 "), std::string::npos) << text;
    EXPECT_NE(text.find("image block 0: 65536 bytes, CRC-32 "), std::string::npos) << text;
    EXPECT_EQ(text.find("5A 5A"), std::string::npos) << "the image's bytes were logged";
    EXPECT_NE(text.find(std::string(" 33 33 33")), std::string::npos) << "entry frame summarised";
    const std::string last = text.substr(text.rfind('\n', text.size() - 2) + 1);
    EXPECT_NE(last.find("outcome: exit 0: the PLC runs 01.80"), std::string::npos) << last;

    // The log stays a transcript: it reads back, image lines left out.
    std::istringstream in(text);
    std::string error;
    const auto transcript = qx4t::link::ReadTranscript(in, error);
    ASSERT_TRUE(transcript.has_value()) << error;
    EXPECT_EQ(transcript->exchanges.size(), 3u);
}

TEST_F(RunLogTest, TheChecksumIsCrc32) {
    EXPECT_EQ(qx4t::link::Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(qx4t::link::Crc32(""), 0u);
}

TEST_F(RunLogTest, KeepsTheNewestTwentyWhenManyProcessesStartAtOnce) {
    const std::string folder = m_root + "/qx4t";
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    // Older runs, named as earlier starts would be.
    for (int i = 0; i < 15; ++i) {
        std::ofstream(folder + "/20200101T0000" + std::to_string(10 + i) + "Z-old-1.log") << "x";
    }
    constexpr int kProcesses = 12;
    std::vector<pid_t> children;
    for (int i = 0; i < kProcesses; ++i) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            qx4t::VirtualClock clock;
            RunLog log;
            const bool ok = log.open(folder, "qx4t-vup", clock, 1) && log.close("exit 0");
            std::_Exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto names = logs(folder);
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kKeptRunLogs));
    int fresh = 0;
    for (const auto& name : names)
        fresh += name.find("-qx4t-vup-") != std::string::npos ? 1 : 0;
    EXPECT_EQ(fresh, kProcesses) << "a new run's log was pruned instead of an old one";
}

// Pruning goes by the time each log was last written, whatever its name says, and leaves alone
// every log a run is still writing (it holds a lock on it), this run's first of all.
TEST_F(RunLogTest, PruningKeepsTheNewestWrittenAndEveryLogInUse) {
    struct Case {
        const char* name;
        int logs;                               // earlier runs' logs, 0..logs-1
        std::function<std::string(int)> stamp;  // the start time in log i's name
        std::function<long long(int)> written;  // log i's modification time, in seconds
        int locked;                             // a log still being written, or -1
        std::set<int> kept;
    };
    const auto from = [](int first, int last) {
        std::set<int> range;
        for (int i = first; i <= last; ++i)
            range.insert(i);
        return range;
    };
    const auto stamp = [](int year) {
        return
            [year](int i) { return std::to_string(year) + "0101T0000" + std::to_string(10 + i); };
    };
    const long long now = std::time(nullptr);
    const Case cases[] = {
        // Names in one order, times in the other: the names do not count.
        {"names say the opposite", 25, stamp(2020), [now](int i) { return now - 1000 - i; }, -1,
         from(0, 18)},
        // The clock was set back: every earlier log is stamped, and was written, after now.
        {"clock set back", kKeptRunLogs, stamp(2099), [now](int i) { return now + 100000 + i; }, -1,
         from(1, kKeptRunLogs - 1)},
        {"a log in use is kept", 22, stamp(2020), [now](int i) { return now - 1000 - i; }, 21,
         [&] {
             auto kept = from(0, 18);
             kept.insert(21);
             return kept;
         }()},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = m_root + "/logs-" + std::to_string(row++);
        ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
        auto nameOf = [&](int i) { return c.stamp(i) + "Z-old-1.log"; };
        for (int i = 0; i < c.logs; ++i) {
            const std::string path = folder + "/" + nameOf(i);
            std::ofstream(path) << "x";
            const struct timespec times[2] = {{static_cast<time_t>(c.written(i)), 0},
                                              {static_cast<time_t>(c.written(i)), 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        }
        qx4t::FileLock inUse;
        qx4t::FileError error;
        if (c.locked >= 0) {
            ASSERT_EQ(inUse.lock(folder + "/" + nameOf(c.locked), qx4t::FileLock::Wait::No, error),
                      qx4t::FileLock::Status::Held);
        }
        RunLog log;
        ASSERT_TRUE(log.open(folder, "qx4t-vup", m_clock, 1)) << log.error();
        std::set<std::string> expected{fs::path(log.path()).filename().string()};
        for (int i : c.kept)
            expected.insert(nameOf(i));
        const auto names = logs(folder);
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
        EXPECT_TRUE(log.close("exit 0"));
    }
}

TEST_F(RunLogTest, AFolderThatCannotBeMadeIsReportedAndNothingIsLeft) {
    const std::string file = m_root + "/not-a-folder";
    std::ofstream(file) << "x";
    RunLog log;
    EXPECT_FALSE(log.open(file + "/qx4t", "wizard", m_clock, 1));
    EXPECT_NE(log.error().find("not-a-folder"), std::string::npos) << log.error();
    EXPECT_FALSE(log.isOpen());
    EXPECT_TRUE(log.close("exit 1"));  // closing a log that never opened is harmless
}

TEST_F(RunLogTest, LogsGoToTheStateFolderOfXdgStateHomeThenHome) {
    const char* savedState = std::getenv("XDG_STATE_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string state = savedState ? savedState : "";
    const std::string home = savedHome ? savedHome : "";
    ::setenv("XDG_STATE_HOME", "/s", 1);
    ::setenv("HOME", "/h", 1);
    EXPECT_EQ(qx4t::stateFolder(), "/s/qx4t");
    ::setenv("XDG_STATE_HOME", "relative", 1);  // not absolute: ignored, as the basedir rules say
    EXPECT_EQ(qx4t::stateFolder(), "/h/.local/state/qx4t");
    ::unsetenv("XDG_STATE_HOME");
    ::unsetenv("HOME");
    EXPECT_EQ(qx4t::stateFolder(), "");
    savedState ? ::setenv("XDG_STATE_HOME", state.c_str(), 1) : ::unsetenv("XDG_STATE_HOME");
    savedHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
}

}  // namespace
