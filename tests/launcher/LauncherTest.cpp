#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QApplication>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "launcher/LanguageChoice.h"
#include "launcher/Launcher.h"
#include "platform/ProgramFolder.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/BoundedWait.h"

namespace qx4t {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "qx4t-launcher-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& path() const { return m_path; }
    std::string folder() const { return m_path.string() + "/"; }
    void touch(const std::string& name) const { std::ofstream(m_path / name).flush(); }

private:
    fs::path m_path;
};

TEST(ChooseLanguage, FirstLibraryInTableOrderWins) {
    const struct {
        std::vector<std::string> present;
        int expected;
    } cases[] = {
        {{"QX4T_VupThi.so"}, 9},
        {{"Qx4t_ja.so", "QX4T_VupDeu.so"}, 1},
        {{"QX4T_VupFra.so", "Qx4t_en.so"}, 0},
        {{"QX4T_VupKor.so"}, 4},
        {{}, kNoLanguage},
        // Names close to the table's do not count: the test is by exact name.
        {{"Qx4t_en.dll", "libQx4t_en.so", "qx4t_en.so"}, kNoLanguage},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        for (const auto& name : c.present) {
            folder.touch(name);  // an empty file: presence is all that counts
        }
        EXPECT_EQ(ChooseLanguage(folder.folder()), c.expected)
            << ::testing::PrintToString(c.present);
    }
    EXPECT_EQ(ChooseLanguage(""), kNoLanguage) << "never the working folder";
}

TEST(ChooseLanguage, ProgramFolderIsTheExecutablesWhateverTheWorkingFolder) {
    TempFolder elsewhere;
    elsewhere.touch("Qx4t_ja.so");
    const fs::path before = fs::current_path();
    fs::current_path(elsewhere.path());
    const std::string folder = programFolder();
    fs::current_path(before);
    // The tests are built into the program folder, next to the language libraries.
    EXPECT_EQ(fs::canonical(folder), fs::canonical(QX4T_PROGRAM_DIR));
    EXPECT_EQ(ChooseLanguage(folder), 0);
}

class RunLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "launcher_test";
        static char* argv[] = {name, nullptr};
        static QApplication app(argc, argv);
        ui::setMessageBoxHandler([this](const ui::MessageBoxRequest& box) {
            m_boxes.push_back(box.text);
            EXPECT_EQ(box.style & 0xF0u, unsigned{MB_ICONEXCLAMATION});
            EXPECT_EQ(box.captionId, 0) << "the application's name as caption";
            return IDOK;
        });
    }
    void TearDown() override { ui::setMessageBoxHandler({}); }

    std::vector<QString> m_boxes;
};

TEST_F(RunLauncherTest, NoLanguageLibraryTellsTheUserAndRunsNoWizard) {
    TempFolder empty;
    int wizardRuns = 0;
    EXPECT_EQ(RunLauncher(empty.folder(), [&](int) { ++wizardRuns; }), kNoLanguage);
    EXPECT_EQ(wizardRuns, 0);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], "QX4T Language Resource File not found.");
}

TEST_F(RunLauncherTest, WizardRunsOnceInTheChosenLanguageWithoutABox) {
    TempFolder folder;
    folder.touch("QX4T_VupThi.so");
    std::vector<int> languages;
    EXPECT_EQ(RunLauncher(folder.folder(), [&](int l) { languages.push_back(l); }), 9);
    EXPECT_EQ(languages, std::vector<int>{9});
    EXPECT_TRUE(m_boxes.empty());
}

// The real program, started twice. Each run gets its own runtime folder so that the tests
// never meet a copy the user has open.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_program = fs::path(QX4T_PROGRAM_DIR) / "Qx4t_V0180_VupTool";
        ASSERT_TRUE(fs::exists(m_program)) << m_program;
        ::chmod(m_runtime.path().c_str(), 0700);
    }
    void TearDown() override {
        for (pid_t pid : m_started) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }

    pid_t start(const std::string& output) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setenv("XDG_RUNTIME_DIR", m_runtime.path().c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            const std::string out = (m_runtime.path() / output).string();
            if (std::freopen(out.c_str(), "w", stdout) == nullptr ||
                std::freopen(out.c_str(), "a", stderr) == nullptr) {
                ::_exit(127);
            }
            ::execl(m_program.c_str(), m_program.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        m_started.insert(pid);
        return pid;
    }

    // Whether pid holds a flock, from the kernel's own list.
    static bool holdsLock(pid_t pid) {
        std::ifstream locks("/proc/locks");
        std::string line;
        while (std::getline(locks, line)) {
            std::istringstream fields(line);
            std::string index, kind, mode, access;
            pid_t owner = 0;
            fields >> index >> kind >> mode >> access >> owner;
            if (kind == "FLOCK" && owner == pid) {
                return true;
            }
        }
        return false;
    }

    // Bounded waits: a loaded machine gets its time, a hang still fails.
    static bool waitFor(const std::function<bool()>& condition) {
        return qx4t::test::WaitFor(condition, std::chrono::seconds(20));
    }

    // The exit status once pid has ended, or -1 if it has not within the bound.
    int exitStatus(pid_t pid) {
        int status = -1;
        const bool ended = waitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; });
        if (!ended) {
            return -1;
        }
        m_started.erase(pid);
        return status;
    }

    std::string output(const std::string& name) {
        std::ifstream file(m_runtime.path() / name);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    TempFolder m_runtime;
    fs::path m_program;
    std::set<pid_t> m_started;
};

TEST_F(SingleInstanceTest, SecondCopyEndsSilentlyWhileTheFirstRunsAndAfterwardsOneMayStart) {
    const pid_t first = start("first.txt");
    ASSERT_TRUE(waitFor([&] { return holdsLock(first); }));

    const pid_t second = start("second.txt");
    const int status = exitStatus(second);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(output("second.txt"), "") << "a second copy shows and says nothing";
    EXPECT_TRUE(holdsLock(first)) << "the first copy runs on";

    // A request to quit closes the wizard and the program gives the lock back.
    ::kill(first, SIGTERM);
    EXPECT_NE(exitStatus(first), -1);
    const pid_t third = start("third.txt");
    EXPECT_TRUE(waitFor([&] { return holdsLock(third); }));
}

TEST_F(SingleInstanceTest, KilledFirstCopyDoesNotBlockTheNext) {
    const pid_t first = start("first.txt");
    ASSERT_TRUE(waitFor([&] { return holdsLock(first); }));
    ::kill(first, SIGKILL);
    ASSERT_NE(exitStatus(first), -1);
    const pid_t next = start("next.txt");
    EXPECT_TRUE(waitFor([&] { return holdsLock(next); }));
}

}  // namespace
}  // namespace qx4t
