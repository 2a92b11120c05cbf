#include "platform/PendingUpdates.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using qx4t::PendingUpdates;
namespace fs = std::filesystem;

class PendingUpdatesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qx4t-state-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        folder = root / "state" / "qx4t";
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    std::string contents() const {
        std::ifstream in(folder / "pending-updates");
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path root;
    fs::path folder;
};

TEST_F(PendingUpdatesTest, AMarkStandsUntilClearedAndOtherPlcsKeepTheirs) {
    // Identities are whatever a USB device reports, separators and all.
    const std::string odd = "usb-serial:A\tB%0A\nC/1.0";
    {
        PendingUpdates updates(folder.string());
        EXPECT_EQ(updates.isMarked(odd), std::optional<bool>(false));
        ASSERT_TRUE(updates.mark(odd, "ttyACM0").ok);
        ASSERT_TRUE(updates.mark("virtual:plcsim-1", "pts/7").ok);
        ASSERT_TRUE(updates.mark(odd, "ttyACM1").ok) << "marking again is no error";
    }
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    PendingUpdates later(folder.string());
    EXPECT_EQ(later.isMarked(odd), std::optional<bool>(true));
    EXPECT_EQ(later.isMarked("usb-serial:A"), std::optional<bool>(false));
    EXPECT_EQ(later.isMarked("virtual:plcsim-1"), std::optional<bool>(true));
    const std::string text = contents();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);

    ASSERT_TRUE(later.clear(odd).ok);
    ASSERT_TRUE(later.clear("port:ttyS0").ok) << "nothing to clear is no error";
    EXPECT_EQ(later.isMarked(odd), std::optional<bool>(false));
    EXPECT_EQ(later.isMarked("virtual:plcsim-1"), std::optional<bool>(true));
    ASSERT_TRUE(later.clear("virtual:plcsim-1").ok);
    EXPECT_FALSE(fs::exists(folder / "pending-updates")) << "no marks, no file";
}

TEST_F(PendingUpdatesTest, TheFolderFollowsXdgStateHomeThenHome) {
    const char* savedState = std::getenv("XDG_STATE_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string keepState = savedState ? savedState : "";
    const std::string keepHome = savedHome ? savedHome : "";
    ::setenv("XDG_STATE_HOME", "/var/lib/someone", 1);
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(qx4t::defaultStateFolder(), "/var/lib/someone/qx4t");
    ::setenv("XDG_STATE_HOME", "relative/is/ignored", 1);
    EXPECT_EQ(qx4t::defaultStateFolder(), "/home/someone/.local/state/qx4t");
    savedState ? ::setenv("XDG_STATE_HOME", keepState.c_str(), 1) : ::unsetenv("XDG_STATE_HOME");
    savedHome ? ::setenv("HOME", keepHome.c_str(), 1) : ::unsetenv("HOME");

    PendingUpdates nowhere("");
    const auto result = nowhere.mark("port:ttyS0", "ttyS0");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("no folder"), std::string::npos) << result.error;
}

// Copies of the wizard and the CLI may mark and clear at the same moment: none loses another's.
TEST_F(PendingUpdatesTest, SeveralProcessesAtOnceLoseNoMark) {
    constexpr int kProcesses = 4;
    constexpr int kMarksEach = 20;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            PendingUpdates updates(folder.string());
            bool ok = true;
            for (int i = 0; i < kMarksEach; ++i) {
                const std::string id = "plc-" + std::to_string(p) + "-" + std::to_string(i);
                ok = updates.mark(id, "pts/" + std::to_string(i)).ok && ok;
                if (i % 2 == 0) {
                    ok = updates.clear(id).ok && ok;
                }
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    PendingUpdates updates(folder.string());
    for (int p = 0; p < kProcesses; ++p) {
        for (int i = 0; i < kMarksEach; ++i) {
            const std::string id = "plc-" + std::to_string(p) + "-" + std::to_string(i);
            EXPECT_EQ(updates.isMarked(id), std::optional<bool>(i % 2 == 1)) << id;
        }
    }
}

// A full disk: the write fails, the old list stays whole, no temporary file is left, and the
// message names the file, the reason the user is told, and the system's words.
TEST_F(PendingUpdatesTest, AWriteThatFailsChangesNothingAndSaysWhy) {
    PendingUpdates updates(folder.string());
    ASSERT_TRUE(updates.mark("virtual:first", "pts/1").ok);
    const std::string before = contents();

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedSignal = ::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = before.size();  // the longer list cannot be written
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    const auto result = updates.mark("virtual:second", "pts/2");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, savedSignal);

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(updates.file()), std::string::npos) << result.error;
    EXPECT_NE(result.error.find(std::strerror(EFBIG)), std::string::npos) << result.error;
    EXPECT_EQ(result.path, updates.file());
    EXPECT_EQ(result.cause, qx4t::FileCause::NoSpace);
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(updates.isMarked("virtual:second"), std::optional<bool>(false));
    for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
    }
}

TEST_F(PendingUpdatesTest, AnUnreadableRecordCannotRuleAMarkOut) {
    fs::create_directories(folder / "pending-updates");  // a folder where the file belongs
    PendingUpdates updates(folder.string());
    std::string why;
    EXPECT_EQ(updates.isMarked("virtual:any", &why), std::nullopt);
    EXPECT_NE(why.find("pending-updates"), std::string::npos) << why;
    EXPECT_FALSE(updates.mark("virtual:any", "pts/1").ok);
}

}  // namespace
