// The files the tool keeps between runs cannot be turned against it: a folder that is not the
// user's own is refused by every caller, a link where a file of ours goes is never followed, and
// a hold's holder is named only by the account that made its file.
#include "platform/PrivateFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "link/RunLog.h"
#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/PendingUpdates.h"
#include "platform/PlcHold.h"
#include "platform/ports/PortEnumerator.h"

namespace qx4t {
namespace {

namespace fs = std::filesystem;

class PrivateFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = std::string(std::getenv("TEST_TMPDIR")) + "/files-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    // The name of the file that holds the PLC of `key`, as a hold makes it.
    std::string holdFileName(const std::string& key) {
        const fs::path scratch = m_root / "scratch";
        fs::create_directory(scratch);
        PlcHold probe;
        EXPECT_EQ(probe.acquire(scratch.string(), key, "probe"), PlcHold::Status::Held);
        const std::string name = fs::directory_iterator(scratch)->path().filename().string();
        probe.release();
        fs::remove_all(scratch);
        return name;
    }
    static std::string contents(const fs::path& file) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path m_root;
};

TEST_F(PrivateFilesTest, AFolderNotTheUsersOwnIsRefusedByEveryCaller) {
    struct Case {
        const char* name;
        std::function<bool(const fs::path&)> plant;  // false: the row cannot be made here
        const char* said;
    };
    const fs::path elsewhere = m_root / "elsewhere";
    fs::create_directory(elsewhere);
    const Case cases[] = {
        {"a symbolic link",
         [&](const fs::path& at) {
             fs::create_directory_symlink(elsewhere, at);
             return true;
         },
         "is a symbolic link"},
        {"a file", [](const fs::path& at) { return std::ofstream(at).put('x').good(); },
         "is not a directory"},
        {"open to others",
         [](const fs::path& at) {
             return fs::create_directory(at) && ::chmod(at.c_str(), 0777) == 0;
         },
         "is open to other users (mode 0777)"},
        {"made by another user",
         [](const fs::path& at) {
             // Only root can give a folder away; as a user the row is left out.
             return ::geteuid() == 0 && fs::create_directory(at) &&
                    ::chown(at.c_str(), 65534, 65534) == 0;
         },
         "belongs to another user (uid 65534)"},
        {"in a folder of another user's",
         [](const fs::path& at) {
             return ::geteuid() == 0 && fs::create_directory(at) &&
                    ::chown(at.parent_path().c_str(), 65534, 65534) == 0;
         },
         "lies in"},
        {"in a folder anyone can change",
         [](const fs::path& at) {
             return fs::create_directory(at) && ::chmod(at.parent_path().c_str(), 0777) == 0;
         },
         "lies in"},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder = m_root / ("row-" + std::to_string(row)) / "state";
        fs::create_directory(folder.parent_path());
        const fs::path tmpRoot = m_root / ("tmp-" + std::to_string(row++));
        fs::create_directory(tmpRoot);
        const fs::path fallback = tmpRoot / ("qx4t-" + std::to_string(::geteuid()));
        if (!c.plant(folder) || !c.plant(fallback)) {
            continue;
        }
        FileError error;
        EXPECT_FALSE(makePrivateFolders(folder.string(), error));
        EXPECT_NE(error.text.find(folder.string() + " " + c.said), std::string::npos) << error.text;

        // The runtime folder (instance lock) falls back, and refuses the same way.
        std::string runtimeError;
        EXPECT_EQ(userRuntimeFolder(nullptr, tmpRoot.string(), &runtimeError), "");
        EXPECT_NE(runtimeError.find(c.said), std::string::npos) << runtimeError;

        // The simulated-port registry: not written, and discovery says why it lists none.
        EXPECT_FALSE(ports::registerVirtualPort("pts/1", "TEMLO PLC", folder.string()).ok());
        std::string problem;
        EXPECT_TRUE(ports::readVirtualPorts(folder.string(), nullptr, &problem).empty());
        EXPECT_NE(problem.find(c.said), std::string::npos) << problem;
    }
    EXPECT_TRUE(fs::is_empty(elsewhere));

    // What is right passes, made 0700; a registry never made is no problem.
    FileError error;
    const fs::path fresh = m_root / "fresh" / "qx4t";
    ASSERT_TRUE(makePrivateFolders(fresh.string(), error)) << error.text;
    EXPECT_EQ(fs::status(fresh).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(ports::registryProblem((m_root / "never").string()), "");
}

TEST_F(PrivateFilesTest, ALinkWhereAFileOfOursGoesIsNeverFollowed) {
    const std::string holdFile = holdFileName("a");
    struct Case {
        const char* name;
        std::string file;  // the name the link is planted under, in the folder
        std::function<bool(const std::string& folder)> use;  // true: it went ahead
    };
    const Case cases[] = {
        {"a lock", "x.lock",
         [](const std::string& folder) {
             FileError error;
             return FileLock(folder + "/x.lock", error).held();
         }},
        {"a whole file read", "x",
         [](const std::string& folder) {
             std::string text;
             FileError error;
             return readWholeFile(folder + "/x", 100, text, error);
         }},
        {"a new file", "x",
         [](const std::string& folder) {
             FileError error;
             return createNewFile(folder + "/x", error) != NewFile::Exists;
         }},
        {"the instance lock", "Tool.lock",
         [](const std::string& folder) {
             InstanceLock lock;
             return lock.acquire(folder, "Tool") != InstanceLock::Status::Unavailable;
         }},
        {"a hold on a PLC", holdFile,
         [](const std::string& folder) {
             PlcHold hold;
             return hold.acquire(folder, "a", "test") != PlcHold::Status::Unavailable;
         }},
        {"the note of unverified updates", "pending-updates.lock",
         [](const std::string& folder) {
             return PendingUpdates(folder, /*notesFolder=*/"").mark("k", "pts/1").ok;
         }},
        {"the run logs' lock", ".lock",
         [](const std::string& folder) {
             VirtualClock clock;
             link::RunLog log;
             return log.open(folder, "test", clock, 1);
         }},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder = m_root / ("folder-" + std::to_string(row));
        const fs::path target = m_root / ("target-" + std::to_string(row++));
        fs::create_directory(folder);
        fs::permissions(folder, fs::perms::owner_all);
        std::ofstream(target) << "theirs";
        const fs::perms mode = fs::status(target).permissions();
        fs::create_symlink(target, folder / c.file);
        EXPECT_FALSE(c.use(folder.string()));
        EXPECT_EQ(contents(target), "theirs");
        EXPECT_EQ(fs::status(target).permissions(), mode);
        EXPECT_TRUE(fs::is_symlink(folder / c.file));
    }
}

// Busy: the holder is named only from a file the named account made and nobody else can write.
TEST_F(PrivateFilesTest, AHoldNamesItsHolderOnlyFromItsMakersFile) {
    struct Case {
        const char* name;
        std::string line;
        fs::perms mode;
        std::string shown;  // empty: the line itself
    };
    const fs::path file = m_root / holdFileName("probe");
    PlcHold mine;
    ASSERT_EQ(mine.acquire(m_root.string(), "probe", "probe"), PlcHold::Status::Held);
    const std::string ownLine = contents(file);
    const Case cases[] = {
        {"the maker's own line", "vup (pid 7, user " + ownLine.substr(ownLine.rfind(' ') + 1),
         fs::perms::owner_read | fs::perms::owner_write, ""},
        {"a line naming another account", "vup (pid 7, user somebody-else)\n",
         fs::perms::owner_read | fs::perms::owner_write, "a program of another account"},
        {"a file anyone could write", "vup (pid 7, user " + ownLine.substr(ownLine.rfind(' ') + 1),
         fs::perms::all, "a program of another account"},
        {"no line", "", fs::perms::owner_read | fs::perms::owner_write, "another program"},
    };
    mine.release();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(file, std::ios::trunc) << c.line;
        fs::permissions(file, c.mode);
        FileError error;
        FileLock other;  // another open of the file, as another process would have
        ASSERT_EQ(other.lock(file.string(), FileLock::Wait::No, error), FileLock::Status::Held);
        PlcHold hold;
        ASSERT_EQ(hold.acquire(m_root.string(), "probe", "test"), PlcHold::Status::Busy);
        std::string expected = c.shown.empty() ? c.line : c.shown;
        while (!expected.empty() && expected.back() == '\n')
            expected.pop_back();
        EXPECT_EQ(hold.holder(), expected);
    }
}

}  // namespace
}  // namespace qx4t
