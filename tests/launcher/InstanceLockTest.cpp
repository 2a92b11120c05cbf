#include "platform/InstanceLock.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace qx4t {
namespace {

namespace fs = std::filesystem;

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qx4t-lock-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(m_folder, fs::perms::owner_all, ec);
        fs::remove_all(m_folder, ec);
    }

    // What a second process gets when it tries the lock: another process is what the lock is
    // for, and flock would also refuse a second descriptor in this same process anyway.
    InstanceLock::Status statusInOtherProcess() {
        const pid_t pid = ::fork();
        if (pid == 0) {
            InstanceLock lock;
            ::_exit(static_cast<int>(lock.acquire(m_folder, "Tool")));
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        return static_cast<InstanceLock::Status>(WEXITSTATUS(status));
    }

    std::string m_folder;
};

TEST_F(InstanceLockTest, SecondCopyIsRefusedWhileTheFirstRunsAndAdmittedAfter) {
    InstanceLock first;
    ASSERT_EQ(first.acquire(m_folder, "Tool"), InstanceLock::Status::Acquired);
    EXPECT_TRUE(first.held());
    EXPECT_EQ(statusInOtherProcess(), InstanceLock::Status::Busy);

    InstanceLock sameProcess;
    EXPECT_EQ(sameProcess.acquire(m_folder, "Tool"), InstanceLock::Status::Busy);
    EXPECT_FALSE(sameProcess.held());
    // A differently named program is a different lock.
    EXPECT_EQ(sameProcess.acquire(m_folder, "Other"), InstanceLock::Status::Acquired);

    first.release();
    EXPECT_EQ(statusInOtherProcess(), InstanceLock::Status::Acquired);
    // The lock file stays behind: removing it would let two copies hold two different files.
    EXPECT_TRUE(fs::exists(fs::path(m_folder) / "Tool.lock"));
}

TEST_F(InstanceLockTest, MovedLockKeepsHoldingAndDestructionReleases) {
    {
        InstanceLock first;
        ASSERT_EQ(first.acquire(m_folder, "Tool"), InstanceLock::Status::Acquired);
        InstanceLock moved(std::move(first));
        EXPECT_FALSE(first.held());  // NOLINT(bugprone-use-after-move): the moved-from state
        EXPECT_EQ(statusInOtherProcess(), InstanceLock::Status::Busy);
    }
    EXPECT_EQ(statusInOtherProcess(), InstanceLock::Status::Acquired);
}

TEST_F(InstanceLockTest, KilledHolderDoesNotBlockTheNextStart) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        InstanceLock lock;
        const char byte = lock.acquire(m_folder, "Tool") == InstanceLock::Status::Acquired;
        (void)!::write(ready[1], &byte, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    pollfd pfd{ready[0], POLLIN, 0};
    ASSERT_EQ(::poll(&pfd, 1, 10000), 1);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(byte, 1);

    InstanceLock next;
    EXPECT_EQ(next.acquire(m_folder, "Tool"), InstanceLock::Status::Busy);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(next.acquire(m_folder, "Tool"), InstanceLock::Status::Acquired);
}

TEST_F(InstanceLockTest, UnusableLockFileIsReportedNotTakenForBusy) {
    fs::create_directory(fs::path(m_folder) / "Dir.lock");
    fs::create_symlink(fs::path(m_folder) / "elsewhere", fs::path(m_folder) / "Link.lock");
    InstanceLock lock;
    EXPECT_EQ(lock.acquire(m_folder, "Dir"), InstanceLock::Status::Unavailable);
    EXPECT_FALSE(lock.error().empty());
    EXPECT_EQ(lock.acquire(m_folder, "Link"), InstanceLock::Status::Unavailable);
    EXPECT_FALSE(fs::exists(fs::path(m_folder) / "elsewhere"));
    EXPECT_EQ(lock.acquire(m_folder + "/missing", "Tool"), InstanceLock::Status::Unavailable);
}

TEST_F(InstanceLockTest, RuntimeFolderPrefersXdgAndFallsBackToAPrivateTmpFolder) {
    const std::string own = m_folder + "/qx4t-" + std::to_string(::geteuid());
    EXPECT_EQ(userRuntimeFolder(m_folder.c_str(), "/nonexistent"), m_folder);

    // Unset, relative or missing: the private folder, created 0700.
    for (const char* xdg : {static_cast<const char*>(nullptr), "relative/run", "/no/such/run"}) {
        std::string error;
        EXPECT_EQ(userRuntimeFolder(xdg, m_folder, &error), own) << error;
        struct stat st {};
        ASSERT_EQ(::lstat(own.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }

    // One of ours left open to others is refused: anyone may have put a file in it meanwhile.
    ASSERT_EQ(::chmod(own.c_str(), 0777), 0);
    std::string error;
    EXPECT_EQ(userRuntimeFolder(nullptr, m_folder, &error), "");
    EXPECT_NE(error.find("open to other users"), std::string::npos) << error;
}

TEST_F(InstanceLockTest, PlantedFallbackFolderIsRefused) {
    const std::string own = m_folder + "/qx4t-" + std::to_string(::geteuid());
    const fs::path target = fs::path(m_folder) / "target";
    fs::create_directory(target);

    fs::create_directory_symlink(target, own);
    std::string error;
    EXPECT_EQ(userRuntimeFolder(nullptr, m_folder, &error), "");
    EXPECT_NE(error.find("not a directory"), std::string::npos) << error;

    fs::remove(own);
    { std::ofstream(own).put('x'); }
    EXPECT_EQ(userRuntimeFolder(nullptr, m_folder, &error), "");

    fs::remove(own);
    if (::geteuid() != 0) {
        GTEST_SKIP() << "a folder owned by another user needs root to make";
    }
    fs::create_directory(own);
    ASSERT_EQ(::chown(own.c_str(), 65534, 65534), 0);
    EXPECT_EQ(userRuntimeFolder(nullptr, m_folder, &error), "");
    EXPECT_NE(error.find("another user"), std::string::npos) << error;
}

}  // namespace
}  // namespace qx4t
