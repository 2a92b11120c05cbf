// Linked into every test program: before any test runs, the process gets a runtime folder, a
// state folder, a folder for the holds on PLCs, one for the notes of unverified updates and a
// GoogleTest temporary folder (testing::TempDir()) of its own (on Windows, a local
// application-data folder, a temporary folder and a folder for the holds of its own), so that
// nothing a test leaves in the user's folders or under a fixed file name (a simulator's port
// entry, a note of an unverified update, run logs, a lock, a transcript) is seen by a test
// running beside it, in this build or another, and nothing of the user's is seen by the tests.
// Simulators and programs that a test starts inherit the folders. A test that wants other
// folders still sets them itself.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "tests/support/TempFolder.h"

#ifdef _WIN32
#include <stdlib.h>
#else
#include <unistd.h>
#endif

namespace {

class PrivateFolders {
public:
    PrivateFolders() {
        const std::string root = qx4t::test::MakeTempFolder("qx4t-test");
        if (root.empty()) {
            std::fputs("qx4t tests: cannot make a private folder in the temporary folder\n",
                       stderr);
            std::exit(1);
        }
        m_root = std::filesystem::path(std::u8string(root.begin(), root.end()));
        std::error_code ec;
        std::filesystem::create_directory(m_root / "tmp", ec);
#ifdef _WIN32
        // Through the C runtime, which keeps its own copy of the environment beside Windows'.
        ::_wputenv_s(L"LOCALAPPDATA", m_root.c_str());
        ::_wputenv_s(L"TEST_TMPDIR", (m_root / "tmp").c_str());
        ::_wputenv_s(L"QX4T_HOLD_DIR", (m_root / "holds").c_str());
#else
        m_owner = ::getpid();
        ::setenv("TEST_TMPDIR", (m_root / "tmp").c_str(), 1);
        for (const char* name : {"runtime", "state", "holds", "notes"})
            std::filesystem::create_directory(m_root / name, ec);
        std::filesystem::permissions(m_root / "runtime", std::filesystem::perms::owner_all, ec);
        ::setenv("XDG_RUNTIME_DIR", (m_root / "runtime").c_str(), 1);
        ::setenv("XDG_STATE_HOME", (m_root / "state").c_str(), 1);
        // Simulated PLCs of different tests may share an identity (the bench's "virtual:bench-0").
        ::setenv("QX4T_HOLD_DIR", (m_root / "holds").c_str(), 1);
        // And so may their notes of unverified updates, which every account shares.
        ::setenv("QX4T_NOTES_DIR", (m_root / "notes").c_str(), 1);
#endif
    }
    ~PrivateFolders() {
#ifndef _WIN32
        // A forked child that ends through exit() must not take its parent's folders with it.
        if (::getpid() != m_owner)
            return;
#endif
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    PrivateFolders(const PrivateFolders&) = delete;
    PrivateFolders& operator=(const PrivateFolders&) = delete;

private:
    std::filesystem::path m_root;
#ifndef _WIN32
    pid_t m_owner = 0;
#endif
};

const PrivateFolders privateFolders;

}  // namespace
