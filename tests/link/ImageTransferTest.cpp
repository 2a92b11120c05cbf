// The firmware image transfer: a reversed head, reversed full blocks each acknowledged by one
// zero byte, and a last partial block that the PLC may leave unanswered.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "link/ComManager.h"
#include "tests/support/FakeLink.h"

namespace {

using namespace std::chrono_literals;
using qx4t::serial::WriteStatus;
using qx4t::test::ScopedFakeLink;
using qx4t::test::ScriptedReply;
namespace rc = qx4t::link;

constexpr std::uint32_t kBlock = 65536;
constexpr std::uint32_t kSystemImageSize = 2105408;

std::string makeImage(std::size_t size) {
    std::string image(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        image[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    }
    return image;
}

std::string reversed(std::string s) {
    std::reverse(s.begin(), s.end());
    return s;
}

class ImageTransfer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk); }

    // Acknowledges the head and every full block; the last partial block gets `lastReply`.
    void playPlc(std::optional<std::string> lastReply = std::nullopt) {
        fake.port.setResponder([this, lastReply](const std::string& w) {
            progressSeen.push_back(progress);
            std::optional<ScriptedReply> reply;
            if (w.size() == 64 || w.size() == kBlock) {
                reply = ScriptedReply::after(20ms, std::string(1, '\0'));
            } else if (lastReply) {
                reply = ScriptedReply::now(*lastReply);
            }
            return reply;
        });
    }

    int send(const std::string& image) {
        return link.SendFWImage(image.data(), static_cast<std::uint32_t>(image.size()), &progress);
    }

    ScopedFakeLink fake;
    CComManager link;
    int progress = -1;
    std::vector<int> progressSeen;  // the progress value as each write began
};

TEST_F(ImageTransfer, SystemImageGoesOverAsReversedHeadAndBlocks) {
    const std::string image = makeImage(kSystemImageSize);
    playPlc();
    EXPECT_EQ(send(image), rc::kOk);

    const auto& writes = fake.port.writes();
    ASSERT_EQ(writes.size(), 34u);
    EXPECT_EQ(writes[0], reversed(image.substr(0, 64)));
    for (std::size_t i = 0; i < 32; ++i) {
        ASSERT_EQ(writes[1 + i], reversed(image.substr(64 + i * kBlock, kBlock))) << i;
    }
    EXPECT_EQ(writes[33], reversed(image.substr(64 + 32 * kBlock)));
    EXPECT_EQ(writes[33].size(), 8192u);

    // One progress value after each full block; the last block sets none.
    std::vector<int> expected;
    for (int i = 0; i < 32; ++i) {
        expected.push_back(i * 100 / 33);
    }
    const std::vector<int> seen(progressSeen.begin() + 2, progressSeen.end());
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(progress, 93);
    EXPECT_EQ(expected.front(), 0);
    EXPECT_EQ(expected[1], 3);

    // The last block is sent without waiting for an answer: a time-out of one poll.
    EXPECT_EQ(fake.clock.now() - fake.port.writeTimes().back(), 100ms);
}

TEST_F(ImageTransfer, ImageSizesAtTheEdges) {
    struct Case {
        std::uint32_t size;
        std::size_t writes;
        int progressAfter;
    };
    const Case cases[] = {
        {64, 1, -1},                   // head only, no progress written
        {100, 2, -1},                  // head and 36 bytes unanswered
        {64 + kBlock, 2, 0},           // one full block, no partial block
        {64 + 3 * kBlock, 4, 66},      // 0, 33, 66
        {64 + 3 * kBlock + 1, 5, 50},  // 0, 25, 50, then one byte
    };
    for (const auto& c : cases) {
        const std::size_t before = fake.port.writes().size();
        progress = -1;
        playPlc();
        const std::string image = makeImage(c.size);
        EXPECT_EQ(send(image), rc::kOk) << c.size;
        EXPECT_EQ(fake.port.writes().size() - before, c.writes) << c.size;
        EXPECT_EQ(progress, c.progressAfter) << c.size;
        EXPECT_EQ(fake.port.writes().back(),
                  reversed(image.substr(c.writes == 1 ? 0 : 64 + (c.writes - 2) * kBlock)))
            << c.size;
    }
}

TEST_F(ImageTransfer, AnswerToTheLastBlockIsNotExamined) {
    for (const std::string& last : {std::string("\x01\x02", 2), std::string(1, '\0')}) {
        playPlc(last);
        EXPECT_EQ(send(makeImage(100)), rc::kOk);
    }
}

TEST_F(ImageTransfer, AcknowledgementMustBeOneZeroByte) {
    const std::string image = makeImage(64 + 2 * kBlock);
    for (const std::string& ack : {std::string(2, '\0'), std::string("\x06"), std::string("0")}) {
        // Head acknowledged, the first block answered wrongly.
        fake.port.queueReply(std::string(1, '\0'));
        fake.port.queueReply(ack);
        const std::size_t before = fake.port.writes().size();
        progress = -1;
        EXPECT_EQ(send(image), rc::kBadReply) << ack.size();
        EXPECT_EQ(fake.port.writes().size() - before, 2u);
        EXPECT_EQ(progress, 0) << "progress is written whatever the block's outcome";
    }
    fake.port.queueReply(std::string(2, '\0'));
    EXPECT_EQ(send(image), rc::kBadReply) << "wrong acknowledgement of the head";
}

TEST_F(ImageTransfer, LinkFailuresAreReportedIncludingTheLastBlocks) {
    EXPECT_EQ(link.SendFWImage(nullptr, 64, &progress), rc::kImageTooShort);
    EXPECT_EQ(send(makeImage(63)), rc::kImageTooShort);
    EXPECT_TRUE(fake.port.writes().empty());

    // A full block that never gets its acknowledgement.
    fake.port.setResponder([](const std::string& w) -> std::optional<ScriptedReply> {
        if (w.size() == 64)
            return ScriptedReply::now(std::string(1, '\0'));
        return std::nullopt;
    });
    auto start = fake.clock.now();
    EXPECT_EQ(send(makeImage(64 + kBlock)), rc::kNoReply);
    EXPECT_EQ(fake.clock.now() - start, 60100ms);

    // The last partial block: silence is fine, but a block that never left is not.
    playPlc();
    const std::string image = makeImage(64 + kBlock + 500);
    int nth = static_cast<int>(fake.port.writes().size()) + 3;
    fake.port.failWriteCall(nth, WriteStatus::Error);
    EXPECT_EQ(send(image), rc::kTransactionFailed);

    nth = static_cast<int>(fake.port.writes().size()) + 3;
    fake.port.failWriteCall(nth, WriteStatus::Timeout);
    EXPECT_EQ(send(image), rc::kWriteTimeout);
}

// A PLC that restarts on its last block drops its USB port: that is the silence the last block
// expects, whether the hang-up comes before the link first asks for bytes waiting (which then
// fails, as FIONREAD does) or while it waits. The same hang-up while a full block waits for its
// acknowledgement is a failure.
TEST_F(ImageTransfer, AHangUpAfterTheLastBlockIsSilenceButNotBefore) {
    const std::string image = makeImage(64 + kBlock + 500);
    const struct {
        std::size_t hangUpAfter;
        bool beforeTheCheck;
        int result;
    } rows[] = {
        {500, false, rc::kOk},
        {500, true, rc::kOk},
        {kBlock, false, rc::kReceiveFailed},
        {kBlock, true, rc::kReceiveFailed},
    };
    for (const auto& row : rows) {
        fake.port.setResponder([&](const std::string& w) -> std::optional<ScriptedReply> {
            if (w.size() != row.hangUpAfter)
                return ScriptedReply::now(std::string(1, '\0'));
            if (row.beforeTheCheck)
                fake.port.hangUp();
            else
                fake.port.hangUpAtWaitCall(fake.port.waitCalls() + 1);
            return std::nullopt;
        });
        const int waitsBefore = fake.port.waitCalls();
        EXPECT_EQ(send(image), row.result) << row.hangUpAfter << " " << row.beforeTheCheck;
        if (row.beforeTheCheck && row.hangUpAfter == 500) {
            EXPECT_EQ(fake.port.waitCalls(), waitsBefore) << "met by the first bytes-waiting check";
        }
        link.ClosePort();
        ASSERT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk);
    }
}

}  // namespace
