#include "platform/PendingUpdates.h"

#include "platform/PlcFileName.h"

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
#include <functional>
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
        notes = root / "notes";
        fs::create_directory(notes);
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

    // The account's own notes alone, as on a machine without the folder of notes.
    PendingUpdates accountOnly() const {
        return PendingUpdates(folder.string(), (root / "no-notes").string());
    }
    PendingUpdates shared() const { return PendingUpdates(folder.string(), notes.string()); }
    fs::path noteOf(const std::string& identity) const {
        return notes / qx4t::plcFileName(identity, ".note");
    }
    static void write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path root;
    fs::path folder;
    fs::path notes;
};

TEST_F(PendingUpdatesTest, AMarkStandsUntilClearedAndOtherPlcsKeepTheirs) {
    // Identities are whatever a USB device reports, separators and all.
    const std::string odd = "usb-serial:A\tB%0A\nC/1.0";
    {
        PendingUpdates updates = accountOnly();
        EXPECT_EQ(updates.isMarked(odd), std::optional<bool>(false));
        ASSERT_TRUE(updates.mark(odd, "ttyACM0").ok);
        ASSERT_TRUE(updates.mark("virtual:plcsim-1", "pts/7").ok);
        ASSERT_TRUE(updates.mark(odd, "ttyACM1").ok) << "marking again is no error";
    }
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    PendingUpdates later = accountOnly();
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

    PendingUpdates nowhere("", (root / "no-notes").string());
    const auto result = nowhere.mark("port:ttyS0", "ttyS0");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("no folder"), std::string::npos) << result.error;
}

// Copies of the wizard and the CLI may mark and clear at the same moment: none loses another's,
// in the account's file as in the machine's folder.
TEST_F(PendingUpdatesTest, SeveralProcessesAtOnceLoseNoMark) {
    constexpr int kProcesses = 4;
    constexpr int kMarksEach = 20;
    for (const bool machine : {false, true}) {
        SCOPED_TRACE(machine ? "the machine's folder" : "the account's file");
        const auto store = [&] { return machine ? shared() : accountOnly(); };
        // The PLCs left marked are noted by every process at once, in the same file.
        const auto idOf = [](int p, int i) {
            return i % 2 == 1 ? "plc-all-" + std::to_string(i)
                              : "plc-" + std::to_string(p) + "-" + std::to_string(i);
        };
        std::vector<pid_t> children;
        for (int p = 0; p < kProcesses; ++p) {
            const pid_t pid = ::fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                PendingUpdates updates = store();
                bool ok = true;
                for (int i = 0; i < kMarksEach; ++i) {
                    const std::string id = idOf(p, i);
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
        PendingUpdates updates = store();
        for (int p = 0; p < kProcesses; ++p) {
            for (int i = 0; i < kMarksEach; ++i) {
                const std::string id = idOf(p, i);
                EXPECT_EQ(updates.isMarked(id), std::optional<bool>(i % 2 == 1)) << id;
            }
        }
    }
}

// A full disk: the write fails, the old list stays whole, no temporary file is left, and the
// message names the file, the reason the user is told, and the system's words.
TEST_F(PendingUpdatesTest, AWriteThatFailsChangesNothingAndSaysWhy) {
    PendingUpdates updates = accountOnly();
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
    PendingUpdates updates = accountOnly();
    std::string why;
    EXPECT_EQ(updates.isMarked("virtual:any", &why), std::nullopt);
    EXPECT_NE(why.find("pending-updates"), std::string::npos) << why;
    EXPECT_FALSE(updates.mark("virtual:any", "pts/1").ok);
}

// The machine's folder of notes: one file per PLC that any account can clear, with who left it.
// A note another account left is seen, and cleared by this one; one marked cleared is none.
TEST_F(PendingUpdatesTest, NotesOfEveryAccountAreSharedAndClearedByAny) {
    const bool root = ::geteuid() == 0;
    const auto other = [&](const std::string& identity, const std::string& state) {
        const fs::path file = noteOf(identity);
        write(file, "qx4t note 1\nidentity " + identity + "\nport ttyACM0\naccount fleet\ntime " +
                        "2026-01-02T03:04:05Z\nstate " + state + "\n");
        fs::permissions(file, fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec |
                                                 fs::perms::others_exec));
        // As root the test can give it to another account; otherwise it is this one's.
        if (root) {
            EXPECT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        }
        return file;
    };
    PendingUpdates updates = shared();
    ASSERT_TRUE(updates.mark("usb-serial:A1/0", "ttyUSB0").ok);
    EXPECT_EQ(fs::status(noteOf("usb-serial:A1/0")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    EXPECT_FALSE(fs::exists(updates.file())) << "nothing in the account's own file";
    const fs::path fleet = other("virtual:fleet", "pending");
    const fs::path gone = other("virtual:gone", "cleared by fleet at 2026-01-02T03:05:00Z");

    const auto listed = updates.notes();
    ASSERT_TRUE(listed.has_value());
    ASSERT_EQ(listed->size(), 2u) << "the cleared note is none";
    const auto standing = updates.standing({"port:ttyACM0", "virtual:fleet"});
    EXPECT_TRUE(standing.any);
    ASSERT_TRUE(standing.note.has_value());
    EXPECT_EQ(standing.note->account, "fleet");
    EXPECT_EQ(standing.note->port, "ttyACM0");
    EXPECT_EQ(standing.note->time, 1767323045);
    EXPECT_EQ(updates.isMarked("virtual:gone"), std::optional<bool>(false));

    ASSERT_TRUE(updates.clearAll({"usb-serial:A1/0", "virtual:fleet"}).ok);
    EXPECT_FALSE(fs::exists(noteOf("usb-serial:A1/0"))) << "its owner removes its note";
    EXPECT_EQ(updates.isMarked("virtual:fleet"), std::optional<bool>(false));
    if (root) {
        // Another account's note stays, rewritten as cleared: a sticky folder keeps it.
        EXPECT_NE(read(fleet).find("state cleared by root at "), std::string::npos) << read(fleet);
        ASSERT_TRUE(updates.mark("virtual:fleet", "pts/3").ok) << "noted again in place";
        EXPECT_EQ(updates.isMarked("virtual:fleet"), std::optional<bool>(true));
    } else {
        EXPECT_FALSE(fs::exists(fleet));
        // A note this account cannot write stays, and the error names who left it.
        const fs::path locked = other("virtual:locked", "pending");
        fs::permissions(locked, fs::perms::owner_read);
        fs::permissions(notes, fs::perms::owner_read | fs::perms::owner_exec);
        const auto result = updates.clear("virtual:locked");
        fs::permissions(notes, fs::perms::owner_all);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find("left by fleet cannot be cleared"), std::string::npos)
            << result.error;
        EXPECT_EQ(updates.isMarked("virtual:locked"), std::optional<bool>(true));
    }
}

// A note file that is not one plain file of its own within the bound, or that cannot be read,
// cannot rule a note out: it counts, with a warning that names it, and is never written through.
TEST_F(PendingUpdatesTest, ANoteFileThatIsNotSoundCountsAndIsNeverWrittenThrough) {
    struct Case {
        const char* name;
        std::function<void(const fs::path& note)> make;
        bool markRefused;
    };
    const fs::path victim = root / "victim";
    const Case cases[] = {
        {"a symbolic link", [&](const fs::path& n) { fs::create_symlink(victim, n); }, true},
        {"a hard link", [&](const fs::path& n) { fs::create_hard_link(victim, n); }, true},
        {"larger than a note", [&](const fs::path& n) { write(n, std::string(5000, 'x')); }, true},
        {"a folder", [&](const fs::path& n) { fs::create_directory(n); }, true},
        {"not a note", [&](const fs::path& n) { write(n, "hello\n"); }, false},
        {"cut short", [&](const fs::path& n) { write(n, "qx4t note 1\nidentity virt"); }, false},
    };
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write(victim, "someone's file\n");
        const std::string identity = "virtual:bad-" + std::to_string(i++);
        const fs::path file = noteOf(identity);
        c.make(file);
        PendingUpdates updates = shared();
        std::string why;
        EXPECT_EQ(updates.isMarked(identity, &why), std::nullopt);
        EXPECT_NE(why.find(file.string()), std::string::npos) << why;
        const auto standing = updates.standing({identity});
        EXPECT_TRUE(standing.any);
        ASSERT_EQ(standing.warnings.size(), 1u);
        EXPECT_NE(standing.warnings[0].find("counts as a note"), std::string::npos);
        const auto marks = updates.marks();
        ASSERT_TRUE(marks.has_value());
        EXPECT_TRUE(marks->empty()) << "no identity is known";
        EXPECT_EQ(updates.mark(identity, "pts/1").ok, !c.markRefused);
        EXPECT_EQ(updates.clear(identity).ok, !c.markRefused);
        EXPECT_EQ(read(victim), "someone's file\n");
        EXPECT_EQ(updates.isMarked(identity).value_or(true), c.markRefused);
    }
}

// The folder of notes is used only when nobody else can remove or replace what is in it; a
// machine without one keeps each account's notes apart, and says so when it writes one.
TEST_F(PendingUpdatesTest, TheFolderOfNotesIsCheckedAndItsAbsenceSaid) {
    struct Case {
        const char* name;
        std::function<void()> make;
        const char* said;  // nullptr: the folder is used
    };
    const fs::path real = root / "real-notes";
    const Case cases[] = {
        {"private to this account", [] {}, nullptr},
        {"sticky and open to everyone",
         [&] { fs::permissions(notes, fs::perms::all | fs::perms::sticky_bit); }, nullptr},
        {"open to everyone without the sticky bit", [&] { fs::permissions(notes, fs::perms::all); },
         "is not sticky"},
        {"a symbolic link",
         [&] {
             fs::remove(notes);
             fs::create_directory(real);
             fs::create_directory_symlink(real, notes);
         },
         "is a symbolic link"},
        {"a file",
         [&] {
             fs::remove(notes);
             write(notes, "");
         },
         "is not a folder"},
        // Only root can give the folder to another account: without it the row is left out.
        {"another account's", [&] { EXPECT_EQ(::chown(notes.c_str(), 65534, 65534), 0); },
         "not to root"},
    };
    for (const Case& c : cases) {
        if (std::string(c.name) == "another account's" && ::geteuid() != 0)
            continue;
        SCOPED_TRACE(c.name);
        fs::remove_all(notes);
        fs::remove_all(real);
        fs::remove_all(folder);
        fs::create_directory(notes);
        c.make();
        PendingUpdates updates = shared();
        const auto result = updates.mark("virtual:x", "pts/1");
        if (c.said == nullptr) {
            EXPECT_TRUE(result.ok) << result.error;
            EXPECT_TRUE(result.notice.empty());
            EXPECT_TRUE(fs::exists(noteOf("virtual:x")));
            continue;
        }
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(notes.string()), std::string::npos) << result.error;
        EXPECT_NE(result.error.find(c.said), std::string::npos) << result.error;
        EXPECT_EQ(updates.isMarked("virtual:x"), std::nullopt);
    }

    fs::remove_all(notes);
    PendingUpdates updates = shared();
    const auto result = updates.mark("virtual:x", "pts/1");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_NE(result.notice.find("kept for this account only (" + folder.string() + ")"),
              std::string::npos)
        << result.notice;
    EXPECT_EQ(updates.isMarked("virtual:x"), std::optional<bool>(true));
    // The notes an earlier release kept for the account count beside the machine's, and go.
    fs::create_directory(notes);
    EXPECT_EQ(updates.isMarked("virtual:x"), std::optional<bool>(true));
    ASSERT_TRUE(updates.clear("virtual:x").ok);
    EXPECT_EQ(updates.isMarked("virtual:x"), std::optional<bool>(false));
}

}  // namespace
