// The status read, the mode change and the update-mode entry against a scripted PLC.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "link/ComManager.h"
#include "link/Frame.h"
#include "tests/support/FakeLink.h"

namespace {

using namespace std::chrono_literals;
using qx4t::link::MakeBCC;
using qx4t::link::MakeFrame;
using qx4t::serial::WriteStatus;
using qx4t::test::ScopedFakeLink;
using qx4t::test::ScriptedReply;
namespace rc = qx4t::link;

// A 67-byte status reply: model at 14-15, mode at 20-21, version pairs swapped at 30-33.
std::string statusReply(const std::string& model, const std::string& mode,
                        const std::string& swappedVersion = "8001") {
    std::string text = "%EE$RT00" + std::string(56, '0');
    text.replace(14, 2, model);
    text.replace(20, 2, mode);
    text.replace(30, 4, swappedVersion);
    return MakeFrame(text);
}

class Commands : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk); }

    ScopedFakeLink fake;
    CComManager link;
};

TEST_F(Commands, StatusReadSendsItsFrameAndParsesTheReply) {
    const std::string reply = statusReply("B1", "81", "8001");
    ASSERT_EQ(reply.size(), 67u);
    fake.port.queueReply(reply);
    stPlcStatus status;
    EXPECT_EQ(link.ReadPlcStatus(&status), rc::kOk);
    EXPECT_EQ(fake.port.writes().back(), "%EE#EX00RT001D\r");
    EXPECT_EQ(status.strModel, L"B1");
    EXPECT_EQ(status.strVersion, L"0180");
    EXPECT_EQ(status.strMode, L"81");
}

TEST_F(Commands, StatusReadReportsTheUpdateModeBitOnly) {
    struct Case {
        const char* mode;
        int expected;
    };
    const Case cases[] = {{"90", rc::kUpdateMode}, {"10", rc::kUpdateMode}, {"81", rc::kOk},
                          {"ZZ", rc::kOk},         {"1Z", rc::kOk},         {"Z1", rc::kOk},
                          {"1f", rc::kUpdateMode}, {"e0", rc::kOk}};
    for (const auto& c : cases) {
        fake.port.queueReply(statusReply("B0", c.mode, "3412"));
        stPlcStatus status;
        EXPECT_EQ(link.ReadPlcStatus(&status), c.expected) << c.mode;
        EXPECT_EQ(status.strMode, std::wstring(c.mode, c.mode + 2));
        EXPECT_EQ(status.strVersion, L"1234");
    }
}

TEST_F(Commands, FailedStatusReadLeavesTheRecordAlone) {
    const std::string good = statusReply("B1", "81");
    std::string errorReply = statusReply("B1", "81");
    errorReply = MakeFrame(errorReply.substr(0, 3) + "!" + errorReply.substr(4, 60));
    // A mode value whose reply has a letter in its BCC, so that lower case differs.
    std::string lowerBcc;
    for (const char* mode : {"81", "82", "83", "84", "85", "86", "87", "88"}) {
        lowerBcc = statusReply("B1", mode);
        if (lowerBcc.find_first_of("ABCDEF", 64) != std::string::npos)
            break;
    }
    for (std::size_t i = 64; i < 66; ++i) {
        if (lowerBcc[i] >= 'A' && lowerBcc[i] <= 'F')
            lowerBcc[i] = static_cast<char>(lowerBcc[i] + 32);
    }
    ASSERT_NE(lowerBcc, statusReply("B1", "81"));
    std::string wrongBcc = good;
    wrongBcc[65] = wrongBcc[65] == '0' ? '1' : '0';

    struct Case {
        const char* name;
        std::optional<std::string> reply;
        int expected;
    };
    const Case cases[] = {
        {"model B2", statusReply("B2", "81"), rc::kUnsupportedModel},
        {"one byte short", good.substr(0, 66), rc::kBadReply},
        {"one byte long", good + "\r", rc::kBadReply},
        {"error reply with a good BCC", errorReply, rc::kBadReply},
        {"lower-case BCC", lowerBcc, rc::kBadBcc},
        {"wrong BCC", wrongBcc, rc::kBadBcc},
        {"no reply", std::nullopt, rc::kNoReply},
    };
    for (const auto& c : cases) {
        fake.port.queueReply(c.reply ? ScriptedReply::now(*c.reply) : ScriptedReply::silence());
        stPlcStatus status{L"", L"****", L""};
        EXPECT_EQ(link.ReadPlcStatus(&status), c.expected) << c.name;
        EXPECT_EQ(status.strModel, L"") << c.name;
        EXPECT_EQ(status.strVersion, L"****") << c.name;
        EXPECT_EQ(status.strMode, L"") << c.name;
    }
}

TEST_F(Commands, ModeChangeChecksLengthAndErrorMarkBeforeTheBcc) {
    fake.port.queueReply(MakeFrame("%EE$RM"));
    EXPECT_EQ(link.ChangeMode(), rc::kOk);
    EXPECT_EQ(fake.port.writes().back(), "%EE#RMP49\r");

    const std::string errorReply = MakeFrame("%EE!RM");
    ASSERT_EQ(errorReply.size(), 9u);
    fake.port.queueReply(errorReply);
    EXPECT_EQ(link.ChangeMode(), rc::kBadReply);

    // Wrong length and a wrong BCC: the length is what is reported.
    fake.port.queueReply("%EE$RMP00\r");
    EXPECT_EQ(link.ChangeMode(), rc::kBadReply);

    fake.port.queueReply("%EE$RM00\r");
    EXPECT_EQ(link.ChangeMode(), rc::kBadBcc);
}

TEST(MakeRandomData, Is510UpperCaseDigitsWithTheirCharacterSum) {
    unsigned sum = 999;
    const std::string filler = CComManager::MakeRandomData(sum);
    ASSERT_EQ(filler.size(), 510u);
    unsigned expected = 0;
    for (const char c : filler) {
        EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) << c;
        expected += static_cast<unsigned char>(c);
    }
    EXPECT_EQ(sum, expected % 256);
    unsigned other = 0;
    EXPECT_NE(CComManager::MakeRandomData(other), filler);
}

// Plays the PLC's side of the update-mode entry: the opening reply's positions 3-6 are chosen
// so that, with the opening filler's sum, they add up to `total`.
class UpdateEntry : public Commands {
protected:
    static constexpr std::size_t kOpeningTextLen = 42;
    static constexpr const char* kOpeningText = "<EE#FV  BrevantisDevicesORKA  QX4T-V01.80 ";
    static constexpr const char* kContinuationText = "<EE  BrevantisDevicesORKA  QX4T-V01.80 ";

    static unsigned fillerSum(const std::string& frame) {
        unsigned sum = 0;
        for (std::size_t i = kOpeningTextLen; i < kOpeningTextLen + 510; ++i) {
            sum += static_cast<unsigned char>(frame[i]);
        }
        return sum % 256;
    }

    void playPlc(unsigned total, std::optional<std::string> finalReply = std::nullopt) {
        fake.port.setResponder([=](const std::string& w) -> std::optional<ScriptedReply> {
            if (!w.ends_with("&\r")) {
                if (finalReply) {
                    return ScriptedReply::now(*finalReply);
                }
                return std::nullopt;
            }
            if (!w.starts_with("<EE#FV")) {
                return ScriptedReply::now(MakeFrame("<EE$0000"));
            }
            // '$' at 3, then three non-zero bytes making up the rest of the total.
            unsigned rest = total - fillerSum(w) - '$';
            std::string text = "<EE$";
            for (unsigned k = 3; k-- > 0;) {
                const unsigned b = std::min(255u, rest - k);
                text.push_back(static_cast<char>(b));
                rest -= b;
            }
            return ScriptedReply::now(MakeFrame(text + "0"));
        });
    }

    // Frames written by one StartFWUpdate.
    std::vector<std::string> run(int expected) {
        const std::size_t before = fake.port.writes().size();
        EXPECT_EQ(link.StartFWUpdate(L"01.80"), expected);
        return {fake.port.writes().begin() + static_cast<long>(before), fake.port.writes().end()};
    }
};

TEST_F(UpdateEntry, FramesAreBuiltAsThePlcChecksThem) {
    playPlc(356);
    const auto frames = run(rc::kOk);
    ASSERT_EQ(frames.size(), 101u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const std::string& f = frames[i];
        const bool opening = i == 0;
        const bool final = i + 1 == frames.size();
        const std::string text = opening ? kOpeningText : kContinuationText;
        ASSERT_EQ(f.size(), opening ? 556u : final ? 552u : 553u) << i;
        EXPECT_TRUE(f.starts_with(text)) << i;
        const std::string filler = f.substr(text.size(), 510);
        EXPECT_EQ(filler.find_first_not_of("0123456789ABCDEF"), std::string::npos) << i;
        EXPECT_EQ(f.substr(text.size() + 510), MakeBCC(text + filler + (final ? "" : "**&"))) << i;
        EXPECT_EQ(qx4t::link::CheckBCC(reinterpret_cast<const unsigned char*>(f.data()), f.size()),
                  rc::kOk)
            << i;
    }
    EXPECT_NE(frames[1].substr(39, 510), frames[2].substr(39, 510)) << "each frame a new filler";
}

TEST_F(UpdateEntry, FrameCountIsLiftedIntoItsRange) {
    playPlc(99 + 256);
    EXPECT_EQ(run(rc::kOk).size(), 200u);
    playPlc(255 + 256);
    EXPECT_EQ(run(rc::kOk).size(), 256u);
}

TEST_F(UpdateEntry, FailuresStopTheSequence) {
    // A bad answer to the fifth frame: nothing more is sent.
    int answered = 0;
    fake.port.setResponder([&](const std::string&) {
        ++answered;
        return ScriptedReply::now(MakeFrame(answered == 5 ? "<EE!0000" : "<EE$0000"));
    });
    EXPECT_EQ(run(rc::kBadReply).size(), 5u);

    fake.port.setResponder(nullptr);
    fake.port.queueReply("<EE$00\r");
    EXPECT_EQ(run(rc::kBadReply).size(), 1u) << "opening reply of the wrong length";
}

TEST_F(UpdateEntry, FinalFrameSilenceIsSuccessButOtherFailuresAreNot) {
    // Silence: the designed wait of one 5,000 ms time-out.
    playPlc(356);
    auto start = fake.clock.now();
    run(rc::kOk);
    EXPECT_EQ(fake.clock.now() - start, 5100ms);

    // Whatever the PLC says to the final frame is not examined.
    playPlc(356, "?");
    run(rc::kOk);

    playPlc(356);
    fake.port.failWriteCall(static_cast<int>(fake.port.writes().size()) + 101, WriteStatus::Error);
    EXPECT_EQ(run(rc::kTransactionFailed).size(), 101u);

    playPlc(356);
    fake.onPump = [this] { return !fake.port.writes().back().ends_with("&\r"); };
    EXPECT_EQ(run(rc::kQuit).size(), 101u);
    fake.onPump = nullptr;

    // The PLC that enters its update mode may drop its port at once: silence too. A hang-up
    // that cuts off a frame whose reply is needed is not.
    for (const bool final : {true, false}) {
        const std::size_t before = fake.port.writes().size();
        fake.port.setResponder([=, this](const std::string& w) -> std::optional<ScriptedReply> {
            const bool last = !w.ends_with("&\r");
            if (last ? final : !final && fake.port.writes().size() - before == 50) {
                fake.port.hangUpAtWaitCall(fake.port.waitCalls() + 1);
                return std::nullopt;
            }
            return ScriptedReply::now(MakeFrame("<EE$0000"));
        });
        const auto frames = run(final ? rc::kOk : rc::kReceiveFailed);
        EXPECT_EQ(frames.back().ends_with("&\r"), !final);
        if (!final) {
            EXPECT_EQ(frames.size(), 50u);
        }
        link.ClosePort();
        ASSERT_EQ(link.OpenPort(L"ttyACM0"), rc::kOk);
    }
}

}  // namespace
