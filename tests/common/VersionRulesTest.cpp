#include "common/VersionRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx4t {
namespace {

TEST(VersionRules, HexPrefixStopsAtTheFirstNonDigit) {
    struct Case {
        const wchar_t* text;
        unsigned long value;
    };
    for (const Case& c : std::vector<Case>{{L"90", 0x90},
                                           {L"81", 0x81},
                                           {L"ZZ", 0},
                                           {L"", 0},
                                           {L"8Z", 0x8},
                                           {L"ab", 0xab},
                                           {L"0180", 0x180},
                                           {L" 80", 0}}) {
        EXPECT_EQ(ParseHexPrefix(c.text), c.value) << c.text;
    }
}

TEST(VersionRules, DisplayForms) {
    struct Case {
        const wchar_t* raw;
        const wchar_t* shown;
    };
    for (const Case& c : std::vector<Case>{{L"0170", L"1.70"},
                                           {L"0180", L"1.80"},
                                           {L"1080", L"10.80"},
                                           {L"0050", L"0.50"},
                                           {L"****", L"**.**"},
                                           {L"01", L"1."},
                                           {L"", L"."}}) {
        EXPECT_EQ(PlcVersionDisplay(c.raw), c.shown) << c.raw;
    }
    EXPECT_EQ(TargetVersionDisplay(L"01.80"), L"1.80");
    EXPECT_EQ(TargetVersionDisplay(L"10.80"), L"10.80");
    EXPECT_EQ(TargetVersionDisplay(L"00.50"), L"0.50");
    EXPECT_EQ(TargetVersionDisplay(L""), L"");
}

TEST(VersionRules, ConnectCheckComparesTheLastThreeDigits) {
    struct Case {
        const wchar_t* plc;
        const wchar_t* target;
        VersionCheck expected;
    };
    for (const Case& c : std::vector<Case>{
             {L"0180", L"01.80", VersionCheck::Ok},
             {L"0170", L"01.80", VersionCheck::Ok},
             {L"0060", L"01.80", VersionCheck::Ok},
             {L"005F", L"01.80", VersionCheck::TooOld},
             {L"0000", L"01.80", VersionCheck::TooOld},
             {L"0181", L"01.80", VersionCheck::Newer},
             {L"0200", L"01.80", VersionCheck::Newer},
             // The first digit takes no part: 1170 reads as 0x170.
             {L"1170", L"01.80", VersionCheck::Ok},
             // An empty target reads as 0: anything above 0 is newer, 0 itself too old.
             {L"0001", L"", VersionCheck::Newer},
             {L"0000", L"", VersionCheck::TooOld},
             {L"00a0", L"01.80", VersionCheck::Ok},
         }) {
        EXPECT_EQ(CheckPlcVersion(c.plc, c.target), c.expected) << c.plc << L" vs " << c.target;
    }
}

TEST(VersionRules, FinalComparisonIsExact) {
    EXPECT_TRUE(IsTargetVersion(L"0180", L"01.80"));
    EXPECT_FALSE(IsTargetVersion(L"0170", L"01.80"));
    EXPECT_FALSE(IsTargetVersion(L"1180", L"01.80"));
    EXPECT_FALSE(IsTargetVersion(L"018", L"01.80"));
    EXPECT_FALSE(IsTargetVersion(L"", L"01.80"));
    EXPECT_TRUE(IsTargetVersion(L"01aB", L"01.aB"));
    EXPECT_FALSE(IsTargetVersion(L"01ab", L"01.AB"));
}

TEST(VersionRules, VersionUpNeededBelowTheTargetOrInUpdateMode) {
    struct Case {
        const wchar_t* version;
        const wchar_t* mode;
        bool needed;
    };
    for (const Case& c : std::vector<Case>{
             {L"0170", L"80", true},
             {L"0180", L"80", false},
             {L"0181", L"80", false},
             // Refused by the checks, yet needed: acting on it must bring the refusal to light.
             {L"0050", L"80", true},
             {L"0170", L"00", true},
             // Left in update mode by an interrupted run: the image is owed whatever it reports.
             {L"0180", L"90", true},
             {L"0181", L"90", true},
             // The connect check passes 1180 (last three digits) but only 0180 is the target.
             {L"1180", L"80", true},
         }) {
        EXPECT_EQ(VersionUpNeeded(c.version, c.mode, L"01.80"), c.needed)
            << c.version << L" mode " << c.mode;
    }
}

TEST(VersionRules, ModelsAndImages) {
    const ModelRow* b0 = FindModel(L"B0");
    const ModelRow* b1 = FindModel(L"B1");
    ASSERT_NE(b0, nullptr);
    ASSERT_NE(b1, nullptr);
    EXPECT_FALSE(UsesEthernetImage(*b0));
    EXPECT_TRUE(UsesEthernetImage(*b1));
    EXPECT_EQ(ImageIdFor(*b0), 8104);
    EXPECT_EQ(ImageIdFor(*b1), 8107);
    EXPECT_EQ(SeriesName(L"B0"), L"TR6W/TR6Z");
    EXPECT_EQ(SeriesName(L"B1"), L"TR6AW/TR6AZ");
    for (const wchar_t* unknown : {L"b1", L"", L"B2", L"B1 "}) {
        EXPECT_EQ(FindModel(unknown), nullptr) << unknown;
        EXPECT_EQ(SeriesName(unknown), L"***") << unknown;
    }
}

TEST(VersionRules, ModeBits) {
    struct Case {
        const wchar_t* mode;
        ModeCheck check;
        bool update;
    };
    for (const Case& c : std::vector<Case>{{L"80", ModeCheck::Ok, false},
                                           {L"81", ModeCheck::NeedsModeChange, false},
                                           {L"90", ModeCheck::Ok, true},
                                           {L"91", ModeCheck::NeedsModeChange, true},
                                           {L"01", ModeCheck::NotUpdatable, false},
                                           {L"00", ModeCheck::NotUpdatable, false},
                                           {L"10", ModeCheck::NotUpdatable, true},
                                           {L"ZZ", ModeCheck::NotUpdatable, false},
                                           {L"", ModeCheck::NotUpdatable, false}}) {
        EXPECT_EQ(CheckPlcMode(c.mode), c.check) << c.mode;
        EXPECT_EQ(IsUpdateMode(c.mode), c.update) << c.mode;
    }
}

// Drives the machine as the page's timers would and records the bar after every step.
struct PollRun {
    RestartPoll poll;
    std::chrono::milliseconds elapsed{0};
    std::vector<int> positions;

    void settleAndCreep() {
        poll.Start(67);
        elapsed += poll.NextDelay();
        poll.OnSettleEnd();
        positions.push_back(poll.Position());
        for (;;) {
            elapsed += poll.NextDelay();
            const bool polling = poll.OnCreepTick();
            positions.push_back(poll.Position());
            if (polling)
                break;
        }
    }
    // Polls without an answer until the machine asks; returns the number of polls.
    int pollUntilAsked() {
        int polls = 0;
        for (;;) {
            elapsed += poll.NextDelay();
            EXPECT_TRUE(poll.BeginPoll());
            ++polls;
            const auto outcome = poll.EndPoll(false);
            positions.push_back(poll.Position());
            if (outcome == RestartPoll::PollOutcome::Ask)
                return polls;
            EXPECT_EQ(outcome, RestartPoll::PollOutcome::KeepPolling);
            if (polls > 100)
                return polls;
        }
    }
};

TEST(RestartPoll, PauseCreepsFrom70To80AndPollsStartAfterSevenAndAHalfSeconds) {
    PollRun run;
    run.settleAndCreep();
    EXPECT_EQ(run.positions, (std::vector<int>{70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 80}));
    EXPECT_EQ(run.poll.GetPhase(), RestartPoll::Phase::Polling);
    EXPECT_EQ(run.elapsed + run.poll.NextDelay(), std::chrono::milliseconds(7500));
    EXPECT_EQ(RestartPoll::kPauseBeforeFirstPoll, std::chrono::milliseconds(7500));
}

TEST(RestartPoll, ElevenPollsPerRoundAndElevenMoreAfterRetry) {
    PollRun run;
    run.settleAndCreep();
    run.positions.clear();
    EXPECT_EQ(run.pollUntilAsked(), 11);
    EXPECT_EQ(run.positions, (std::vector<int>{81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 90}));
    EXPECT_EQ(run.poll.GetPhase(), RestartPoll::Phase::Asking);
    EXPECT_FALSE(run.poll.BeginPoll());

    for (int round = 0; round < 2; ++round) {
        run.poll.Retry();
        run.positions.clear();
        EXPECT_EQ(run.pollUntilAsked(), 11);
        EXPECT_EQ(run.positions, std::vector<int>(11, 90));
    }
    EXPECT_EQ(run.poll.PollCount(), 33);
}

TEST(RestartPoll, AnswerEndsPollingAtHundredEvenAfterRetry) {
    PollRun run;
    run.settleAndCreep();
    ASSERT_EQ(run.pollUntilAsked(), 11);
    run.poll.Retry();
    ASSERT_TRUE(run.poll.BeginPoll());
    ASSERT_EQ(run.poll.EndPoll(false), RestartPoll::PollOutcome::KeepPolling);
    ASSERT_TRUE(run.poll.BeginPoll());
    EXPECT_EQ(run.poll.EndPoll(true), RestartPoll::PollOutcome::Answered);
    EXPECT_EQ(run.poll.Position(), 100);
    EXPECT_EQ(run.poll.GetPhase(), RestartPoll::Phase::Answered);
    EXPECT_EQ(run.poll.NextDelay(), std::chrono::milliseconds::zero());

    // A fresh start after an answer begins a whole new round.
    run.positions.clear();
    run.settleAndCreep();
    EXPECT_EQ(run.pollUntilAsked(), 11);
}

TEST(RestartPoll, NestedTickDuringAPollIsSkipped) {
    PollRun run;
    run.settleAndCreep();
    ASSERT_TRUE(run.poll.BeginPoll());
    EXPECT_FALSE(run.poll.BeginPoll());  // a tick while the read pumps events
    EXPECT_EQ(run.poll.EndPoll(false), RestartPoll::PollOutcome::KeepPolling);
    EXPECT_EQ(run.poll.EndPoll(false), RestartPoll::PollOutcome::Busy);  // no poll running
    EXPECT_EQ(run.poll.Position(), 81);
    EXPECT_EQ(run.poll.PollCount(), 1);
}

TEST(RestartPoll, StepsOutOfTheirPhaseDoNothing) {
    RestartPoll poll;
    EXPECT_FALSE(poll.OnCreepTick());
    EXPECT_FALSE(poll.BeginPoll());
    poll.OnSettleEnd();
    poll.Retry();
    EXPECT_EQ(poll.GetPhase(), RestartPoll::Phase::Idle);
    poll.Start(40);
    EXPECT_EQ(poll.Position(), 40);
    EXPECT_FALSE(poll.OnCreepTick());
    EXPECT_EQ(poll.GetPhase(), RestartPoll::Phase::Settling);
}

}  // namespace
}  // namespace qx4t
