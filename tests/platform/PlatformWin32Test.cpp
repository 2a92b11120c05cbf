// The Windows files of the platform: the program folder from the module's own path, and the
// state and log folders under the user's local application data.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/AppFolders.h"
#include "platform/ProgramFolder.h"

namespace qx4t {
namespace {

TEST(ProgramFolderOnWindows, TheModulesFolderWithABackslashAndItsName) {
    const std::string folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(folder.find('/'), std::string::npos) << folder;
    EXPECT_EQ(programName().rfind(".exe"), programName().size() - 4) << programName();
    EXPECT_EQ(executablePath().filename().u8string().size(), programName().size());
}

TEST(AppFoldersOnWindows, UnderLocalApplicationData) {
    wchar_t saved[1024] = {};
    const DWORD had = ::GetEnvironmentVariableW(L"LOCALAPPDATA", saved, 1024);
    ASSERT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", L"C:\\Users\\tech\\AppData\\Local"));
    EXPECT_EQ(stateFolder(), "C:\\Users\\tech\\AppData\\Local\\QX4T\\state");
    EXPECT_EQ(logFolder(), "C:\\Users\\tech\\AppData\\Local\\QX4T\\logs");
    ASSERT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr));
    EXPECT_EQ(stateFolder(), "");
    EXPECT_EQ(logFolder(), "");
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", had > 0 ? saved : nullptr);
}

}  // namespace
}  // namespace qx4t
