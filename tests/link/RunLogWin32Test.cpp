// The run log on Windows: made under a folder it creates, pruned to the newest logs by several
// writers at once, and reported, not half-made, when its folder cannot be made.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "link/ImageTransfer.h"
#include "link/RunLog.h"
#include "platform/Clock.h"

namespace fs = std::filesystem;
using qx4t::link::kKeptRunLogs;
using qx4t::link::RunLog;

namespace {

std::string utf8(const fs::path& path) {
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

class RunLogOnWindows : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() /
                 (L"qx4t-runlog-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                  std::to_wstring(::GetTickCount64()) + L"-\u00e9");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    [[nodiscard]] std::vector<std::string> logs(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".log")
                names.push_back(utf8(entry.path().filename()));
        }
        return names;
    }

    fs::path m_root;
    qx4t::VirtualClock m_clock;
};

TEST_F(RunLogOnWindows, FramesWholeImagePiecesSummarisedAndTheOutcomeLast) {
    const fs::path folder = m_root / "QX4T" / "state";  // made, with its parents, on first use
    RunLog log;
    ASSERT_TRUE(log.open(utf8(folder), "qx4t-vup", m_clock, 7)) << log.error();
    EXPECT_EQ(log.path().find('/'), std::string::npos) << log.path();
    log.exchange('>', "%EE#RMP\r");
    log.exchange('>', std::string(qx4t::link::kImageHeadSize, 'h'));
    log.exchange('>', std::string(qx4t::link::kImageBlockSize, '\x5A'));
    ASSERT_TRUE(log.close("exit 0: the PLC runs 01.80"));

    const auto names = logs(folder);
    ASSERT_EQ(names.size(), 1u);
    std::ifstream in(folder / names[0]);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("> 25 45 45 23 52 4D 50 0D"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("image block 0: 65536 bytes, CRC-32 "), std::string::npos);
    EXPECT_EQ(text.str().find("5A 5A"), std::string::npos) << "the image's bytes were logged";
    EXPECT_NE(text.str().find("outcome: exit 0: the PLC runs 01.80"), std::string::npos);
}

TEST_F(RunLogOnWindows, KeepsTheNewestTwentyWhenManyStartAtOnce) {
    const fs::path folder = m_root / "logs";
    fs::create_directories(folder);
    for (int i = 0; i < 15; ++i)
        std::ofstream(folder / ("20200101T0000" + std::to_string(10 + i) + "Z-old-1.log")) << "x";
    constexpr int kWriters = 12;
    std::vector<std::thread> writers;
    std::vector<int> ok(kWriters, 0);
    for (int i = 0; i < kWriters; ++i) {
        writers.emplace_back([&, i] {
            qx4t::VirtualClock clock;
            RunLog log;
            ok[i] = log.open(utf8(folder), "qx4t-vup", clock, 1) && log.close("exit 0");
        });
    }
    for (auto& writer : writers)
        writer.join();
    for (int i = 0; i < kWriters; ++i)
        EXPECT_TRUE(ok[i]) << "writer " << i;
    const auto names = logs(folder);
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kKeptRunLogs));
    int fresh = 0;
    for (const auto& name : names)
        fresh += name.find("-qx4t-vup-") != std::string::npos ? 1 : 0;
    EXPECT_EQ(fresh, kWriters) << "a new run's log was pruned instead of an old one";
}

TEST_F(RunLogOnWindows, AFolderThatCannotBeMadeIsReportedAndNothingIsLeft) {
    fs::create_directories(m_root);
    const fs::path file = m_root / "not-a-folder";
    std::ofstream(file) << "x";
    RunLog log;
    EXPECT_FALSE(log.open(utf8(file / "qx4t"), "wizard", m_clock, 1));
    EXPECT_NE(log.error().find("not-a-folder"), std::string::npos) << log.error();
    EXPECT_FALSE(log.isOpen());
    EXPECT_TRUE(log.close("exit 1"));
    EXPECT_FALSE(log.open("", "wizard", m_clock, 1));
    EXPECT_NE(log.error().find("no folder"), std::string::npos) << log.error();
}

}  // namespace
