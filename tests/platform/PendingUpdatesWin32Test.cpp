// The record of updates in progress on Windows: under the user's local application data,
// replaced whole, and shared safely by several writers at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/PendingUpdates.h"

namespace qx4t {
namespace {

namespace fs = std::filesystem;

std::string utf8(const fs::path& path) {
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

class PendingUpdatesOnWindows : public ::testing::Test {
protected:
    void SetUp() override {
        root =
            fs::temp_directory_path() / (L"qx4t-state-" + std::to_wstring(::GetCurrentProcessId()) +
                                         L"-" + std::to_wstring(::GetTickCount64()) + L"-\u00e9");
        folder = root / "QX4T" / "state";
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    std::string contents() const {
        std::ifstream in(folder / "pending-updates", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path root;
    fs::path folder;
};

TEST_F(PendingUpdatesOnWindows, AMarkStandsUntilClearedAndNoTemporaryIsLeft) {
    const std::string odd = "usb-serial:A\tB%0A\nC/1.0";
    PendingUpdates updates(utf8(folder));
    EXPECT_EQ(updates.file(), utf8(folder) + "\\pending-updates");
    EXPECT_EQ(updates.isMarked(odd), std::optional<bool>(false));
    ASSERT_TRUE(updates.mark(odd, "COM3").ok) << updates.mark(odd, "COM3").error;
    ASSERT_TRUE(updates.mark("virtual:plcsim-1", "COM5").ok);
    ASSERT_TRUE(updates.mark(odd, "COM4").ok) << "marking again is no error";

    PendingUpdates later(utf8(folder));
    EXPECT_EQ(later.isMarked(odd), std::optional<bool>(true));
    EXPECT_EQ(later.isMarked("usb-serial:A"), std::optional<bool>(false));
    EXPECT_EQ(later.isMarked("virtual:plcsim-1"), std::optional<bool>(true));
    const std::string text = contents();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = utf8(entry.path().filename());
        EXPECT_TRUE(name == "pending-updates" || name == "pending-updates.lock") << name;
    }

    ASSERT_TRUE(later.clear(odd).ok);
    ASSERT_TRUE(later.clear("port:COM1").ok) << "nothing to clear is no error";
    EXPECT_EQ(later.isMarked(odd), std::optional<bool>(false));
    ASSERT_TRUE(later.clear("virtual:plcsim-1").ok);
    EXPECT_FALSE(fs::exists(folder / "pending-updates")) << "no marks, no file";
}

TEST_F(PendingUpdatesOnWindows, TheFolderIsUnderLocalApplicationData) {
    wchar_t saved[1024] = {};
    const DWORD had = ::GetEnvironmentVariableW(L"LOCALAPPDATA", saved, 1024);
    ASSERT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", L"C:\\Users\\tech\\AppData\\Local"));
    EXPECT_EQ(defaultStateFolder(), "C:\\Users\\tech\\AppData\\Local\\QX4T\\state");
    EXPECT_EQ(PendingUpdates().file(),
              "C:\\Users\\tech\\AppData\\Local\\QX4T\\state\\pending-updates");
    ASSERT_TRUE(::SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr));
    EXPECT_EQ(defaultStateFolder(), "");
    ::SetEnvironmentVariableW(L"LOCALAPPDATA", had > 0 ? saved : nullptr);

    PendingUpdates nowhere("");
    const auto result = nowhere.mark("port:COM1", "COM1");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("no folder"), std::string::npos) << result.error;
    PendingUpdates relative("state\\qx4t");
    EXPECT_FALSE(relative.mark("port:COM1", "COM1").ok);
    EXPECT_FALSE(fs::exists("state")) << "a relative folder is refused, not made";
}

// Each writer opens its own handle on the lock file, so the lock keeps them apart just as it
// keeps processes apart: none loses another's mark.
TEST_F(PendingUpdatesOnWindows, SeveralWritersAtOnceLoseNoMark) {
    constexpr int kWriters = 4;
    constexpr int kMarksEach = 20;
    std::vector<std::thread> writers;
    std::vector<int> failures(kWriters, 0);
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            PendingUpdates updates(utf8(folder));
            for (int i = 0; i < kMarksEach; ++i) {
                const std::string id = "plc-" + std::to_string(w) + "-" + std::to_string(i);
                failures[w] += updates.mark(id, "COM" + std::to_string(i)).ok ? 0 : 1;
                if (i % 2 == 0)
                    failures[w] += updates.clear(id).ok ? 0 : 1;
            }
        });
    }
    for (auto& writer : writers)
        writer.join();
    PendingUpdates updates(utf8(folder));
    for (int w = 0; w < kWriters; ++w) {
        EXPECT_EQ(failures[w], 0) << "writer " << w;
        for (int i = 0; i < kMarksEach; ++i) {
            const std::string id = "plc-" + std::to_string(w) + "-" + std::to_string(i);
            EXPECT_EQ(updates.isMarked(id), std::optional<bool>(i % 2 == 1)) << id;
        }
    }
}

TEST_F(PendingUpdatesOnWindows, AnUnreadableRecordCannotRuleAMarkOut) {
    fs::create_directories(folder / "pending-updates");  // a folder where the file belongs
    PendingUpdates updates(utf8(folder));
    std::string why;
    EXPECT_EQ(updates.isMarked("virtual:any", &why), std::nullopt);
    EXPECT_NE(why.find("pending-updates"), std::string::npos) << why;
    EXPECT_FALSE(updates.mark("virtual:any", "COM1").ok);
    EXPECT_TRUE(fs::is_directory(folder / "pending-updates"));
}

}  // namespace
}  // namespace qx4t
