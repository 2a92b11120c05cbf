// The simulated PLC fed hand-made requests on virtual time: what it answers, what it refuses,
// and how each named fault bends its answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "firmware/Images.h"
#include "sim/PlcCore.h"

namespace qx4t::sim {
namespace {

using namespace std::chrono_literals;

const std::string kStatus = makeFrame("%EE#EX00RT00");
const std::string kModeChange = makeFrame("%EE#RMP");

// A filler of 510 upper-case hex digits whose character codes sum to `sum` modulo 256.
std::string fillerWithSum(unsigned sum) {
    std::string f(510, '0');  // 510 * 48 = 24480 = 160 mod 256
    unsigned have = (510u * '0') % 256;
    unsigned need = (sum + 256 - have) % 256;
    // '0' -> '9' adds 9 and '0' -> '1' adds 1 to the sum.
    for (std::size_t i = 0; need > 0; ++i) {
        unsigned step = need >= 9 ? 9 : need;
        f[i] = static_cast<char>('0' + step);
        need -= step;
    }
    return f;
}

std::string openingFrame(const std::string& filler, const std::string& version = "01.80") {
    return makeContinuedFrame("<EE#FV  BrevantisDevicesORKA  QX4T-V" + version + " " + filler);
}
std::string continuationFrame(bool last, const std::string& version = "01.80") {
    std::string text = "<EE  BrevantisDevicesORKA  QX4T-V" + version + " " + std::string(510, 'A');
    return last ? makeFrame(text) : makeContinuedFrame(text);
}

struct Rig {
    VirtualClock clock;
    PlcCore plc;
    explicit Rig(PlcConfig config = {}) : plc(clock, std::move(config)) {}
    void send(const std::string& bytes) { plc.receive(bytes.data(), bytes.size()); }
    // Everything the PLC says within `window`.
    std::string replyWithin(Clock::duration window = 1s) {
        auto end = clock.now() + window;
        std::string out = plc.takeDue();
        while (auto next = plc.nextOutputTime()) {
            if (*next > end)
                break;
            clock.advanceTo(*next);
            out += plc.takeDue();
        }
        clock.advanceTo(end);
        return out;
    }
    std::string ask(const std::string& request) {
        send(request);
        return replyWithin();
    }
    // The whole entry sequence with `frames` frames after the opening one.
    void entry(int frames, unsigned fillerSum = 100) {
        ask(openingFrame(fillerWithSum(fillerSum)));
        for (int i = 1; i <= frames; ++i)
            ask(continuationFrame(i == frames));
    }
};

bool blockCheckHolds(const std::string& reply) {
    return reply.size() >= 4 && reply.back() == '\r' &&
           reply.compare(reply.size() - 3, 2, blockCheck(reply.substr(0, reply.size() - 3))) == 0;
}

TEST(PlcCore, StatusReplyCarriesModelModeAndSwappedVersion) {
    PlcConfig config;
    config.model = "B0";
    config.version = "0170";
    config.mode = 0x81;
    Rig rig(config);
    std::string r = rig.ask(kStatus);
    ASSERT_EQ(r.size(), 67u);
    EXPECT_EQ(r.substr(0, 4), "%EE$");
    EXPECT_EQ(r.substr(14, 2), "B0");
    EXPECT_EQ(r.substr(20, 2), "81");
    EXPECT_EQ(r.substr(30, 4), "7001");
    EXPECT_TRUE(blockCheckHolds(r));
    EXPECT_EQ(rig.plc.state().framesReceived, 1);
}

TEST(PlcCore, ModeChangeClearsBitZeroOnly) {
    PlcConfig config;
    config.mode = 0x81;
    Rig rig(config);
    std::string r = rig.ask(kModeChange);
    EXPECT_EQ(r.size(), 9u);
    EXPECT_NE(r[3], '!');
    EXPECT_TRUE(blockCheckHolds(r));
    EXPECT_EQ(rig.plc.state().mode, 0x80);
    EXPECT_EQ(rig.ask(kStatus).substr(20, 2), "80");
}

TEST(PlcCore, RequestsItCannotUseGetAnErrorReplyAndLeaveNoTrace) {
    const std::string badBcc = "%EE#EX00RT0000\r";
    const std::string unknown = makeFrame("%EE#WD00");
    const std::string lowerCase = "%EE#RMP" + std::string("49") + "\r";  // valid, for contrast
    for (const std::string& request : {badBcc, unknown}) {
        Rig rig;
        std::string r = rig.ask(request);
        ASSERT_GE(r.size(), 4u) << request;
        EXPECT_EQ(r[3], '!') << request;
        EXPECT_TRUE(blockCheckHolds(r));
        EXPECT_EQ(rig.plc.state().framesReceived, request == unknown ? 1 : 0);
        EXPECT_FALSE(rig.plc.state().violations.empty());
    }
    Rig rig;
    EXPECT_EQ(rig.ask(lowerCase).size(), 9u);

    // Noise in front of a request is dropped; the request is still answered.
    Rig noisy;
    EXPECT_EQ(noisy.ask("\x00\x7fzz" + kStatus).size(), 67u);
    // An endless stream without a carriage return is thrown away, not hoarded.
    Rig flood;
    flood.send(std::string(5000, 'x'));
    EXPECT_EQ(flood.replyWithin(), "");
    EXPECT_EQ(flood.ask(kStatus).size(), 67u);
}

TEST(PlcCore, UpdateModeEntryNeedsExactlyNPlusOneGoodFrames) {
    // The default reply code "$FV0" sums to 240; a filler sum of 116 gives 356 = 100 mod 256.
    struct Case {
        unsigned fillerSum;
        int framesAfterOpening;
        bool entered;
    };
    const Case cases[] = {
        {116, 100, true},   // N = 100
        {115, 199, true},   // 355 = 99 mod 256: N = 199
        {116, 99, false},   // final frame one too early
        {116, 101, false},  // one frame too many marked with '&'
        {15, 255, true},    // 255 mod 256: N = 255
    };
    for (const auto& c : cases) {
        Rig rig;
        std::string first = rig.ask(openingFrame(fillerWithSum(c.fillerSum)));
        ASSERT_EQ(first.size(), 11u);
        EXPECT_TRUE(blockCheckHolds(first));
        EXPECT_EQ(first.substr(3, 4), "$FV0");
        int replies = 0;
        for (int i = 1; i <= c.framesAfterOpening; ++i) {
            std::string r = rig.ask(continuationFrame(i == c.framesAfterOpening));
            if (r.size() == 11 && r[3] != '!')
                ++replies;
        }
        PlcState s = rig.plc.state();
        EXPECT_EQ(s.entryComplete, c.entered) << c.fillerSum << "/" << c.framesAfterOpening;
        EXPECT_EQ((s.mode & 0x10) != 0, c.entered);
        if (c.entered) {
            EXPECT_EQ(s.entryExpected, c.framesAfterOpening + 1);
            EXPECT_EQ(replies, c.framesAfterOpening - 1);  // the final frame is not answered
            EXPECT_EQ(s.entryVersionText, "01.80");
            EXPECT_TRUE(s.violations.empty());
        }
    }
}

TEST(PlcCore, UpdateModeEntryIsAbandonedByABrokenFrame) {
    Rig rig;
    rig.ask(openingFrame(fillerWithSum(116)));
    rig.ask(continuationFrame(false));
    std::string broken = continuationFrame(false);
    broken[40] ^= 1;  // the block check no longer fits
    EXPECT_EQ(rig.ask(broken)[3], '!');
    for (int i = 3; i <= 100; ++i)
        rig.ask(continuationFrame(i == 100));
    EXPECT_FALSE(rig.plc.state().entryComplete);
    EXPECT_EQ(rig.plc.state().mode & 0x10, 0);

    // A continuation without an opening frame, or a lower-case filler, enters nothing either.
    Rig orphan;
    orphan.ask(continuationFrame(true));
    Rig lower;
    std::string f = fillerWithSum(116);
    std::replace(f.begin(), f.end(), '9', 'a');
    EXPECT_EQ(lower.ask(openingFrame(f))[3], '!');
    for (Rig* r : {&orphan, &lower})
        EXPECT_EQ(r->plc.state().mode & 0x10, 0);
}

std::string reversed(const unsigned char* data, std::size_t n) {
    std::string s(reinterpret_cast<const char*>(data), n);
    std::reverse(s.begin(), s.end());
    return s;
}

// Sends an image as the tool does, returning the acknowledgements.
std::vector<std::string> sendImage(Rig& rig, const unsigned char* data, std::size_t size) {
    std::vector<std::string> acks;
    acks.push_back(rig.ask(reversed(data, 64)));
    for (std::size_t at = 64; at < size; at += 65536) {
        std::size_t n = std::min<std::size_t>(65536, size - at);
        if (n == 65536) {
            acks.push_back(rig.ask(reversed(data + at, n)));
        } else {
            rig.send(reversed(data + at, n));
        }
    }
    // The tool waits for the restart before it says anything again.
    rig.clock.advance(1s);
    return acks;
}

Rig& inUpdateMode(Rig& rig) {
    rig.entry(100, 116);
    EXPECT_TRUE(rig.plc.state().mode & 0x10);
    return rig;
}

TEST(PlcCore, TheRightImageInstallsTheNewVersionAfterASilentRestart) {
    PlcConfig config;
    config.model = "B1";
    config.restartTime = 8s;
    Rig rig(config);
    inUpdateMode(rig);
    EXPECT_EQ(rig.ask(kStatus).substr(20, 2), "90");  // still answers a status read
    auto image = firmware::ethernetImage();
    auto acks = sendImage(rig, image.data, image.size);
    ASSERT_EQ(acks.size(), 33u);  // head and 32 full blocks
    for (const auto& a : acks)
        EXPECT_EQ(a, std::string(1, '\0'));

    // Silent while it restarts, then the new version with the update-mode bit clear.
    EXPECT_EQ(rig.ask(kStatus), "");
    EXPECT_TRUE(rig.plc.state().restarting);
    rig.clock.advance(8s);
    std::string r = rig.ask(kStatus);
    ASSERT_EQ(r.size(), 67u);
    EXPECT_EQ(r.substr(30, 4), "8001");
    EXPECT_EQ(r.substr(20, 2), "80");
    PlcState s = rig.plc.state();
    EXPECT_EQ(s.imageIntact, true);
    EXPECT_EQ(s.imageBytes, image.size);
    EXPECT_EQ(s.restartCount, 1);
    EXPECT_EQ(s.version, "0180");
}

// The tool interrupted within a block: what comes next (the next run's status request) is more
// of that block and gets no answer; after half a second of silence the PLC drops the image,
// answers in update mode again, and a new transfer installs the firmware.
TEST(PlcCore, ATransferStoppedWithinABlockIsDroppedAndCanBeRunAgain) {
    PlcConfig config;
    config.model = "B1";
    config.restartTime = 8s;
    Rig rig(config);
    inUpdateMode(rig);
    auto image = firmware::ethernetImage();
    EXPECT_EQ(rig.ask(reversed(image.data, 64)), std::string(1, '\0'));
    for (int block = 0; block < 5; ++block) {
        const std::size_t at = 64 + 65536 * static_cast<std::size_t>(block);
        EXPECT_EQ(rig.ask(reversed(image.data + at, 65536)), std::string(1, '\0')) << block;
    }
    rig.send(reversed(image.data + 64 + 65536 * 5, 30000));
    EXPECT_EQ(rig.ask(kStatus), "") << "taken as image bytes";
    PlcState s = rig.plc.state();
    EXPECT_EQ(s.imagesDropped, 1);
    EXPECT_EQ(s.restartCount, 0);
    EXPECT_FALSE(s.imageIntact.has_value());

    std::string r = rig.ask(kStatus);
    ASSERT_EQ(r.size(), 67u);
    EXPECT_EQ(r.substr(20, 2), "90") << "still in update mode";
    EXPECT_EQ(r.substr(30, 4), "7001");

    sendImage(rig, image.data, image.size);
    rig.clock.advance(8s);
    r = rig.ask(kStatus);
    ASSERT_EQ(r.size(), 67u);
    EXPECT_EQ(r.substr(30, 4), "8001");
    EXPECT_EQ(r.substr(20, 2), "80");
    EXPECT_EQ(rig.plc.state().imageIntact, true);
}

TEST(PlcCore, AWrongOrDamagedImageLeavesTheOldVersion) {
    auto plain = firmware::plainImage();
    std::string damaged(reinterpret_cast<const char*>(plain.data), plain.size);
    damaged[1000000] ^= 0x40;
    std::string shortened = damaged.substr(0, plain.size - 1);
    shortened[1000000] ^= 0x40;
    struct Case {
        const char* what;
        const unsigned char* data;
        std::size_t size;
    };
    const Case cases[] = {
        {"other model's image", firmware::ethernetImage().data, firmware::ethernetImage().size},
        {"one bit flipped", reinterpret_cast<const unsigned char*>(damaged.data()), damaged.size()},
        {"one byte short", reinterpret_cast<const unsigned char*>(shortened.data()),
         shortened.size()},
    };
    for (const auto& c : cases) {
        PlcConfig config;
        config.model = "B0";
        Rig rig(config);
        inUpdateMode(rig);
        sendImage(rig, c.data, c.size);
        rig.clock.advance(config.restartTime + 1s);
        std::string r = rig.ask(kStatus);
        ASSERT_EQ(r.size(), 67u) << c.what;
        EXPECT_EQ(r.substr(30, 4), "7001") << c.what;
        EXPECT_EQ(rig.plc.state().imageIntact, false) << c.what;
        EXPECT_EQ(r.substr(20, 2), "80") << c.what;
    }
}

TEST(PlcCore, FaultsBendFrameReplies) {
    struct Case {
        FaultKind kind;
        std::size_t length;  // of the whole answer
        bool errorMark;
        bool bccHolds;
    };
    const Case cases[] = {
        {FaultKind::NoReply, 0, false, false},    {FaultKind::ErrorReply, 67, true, true},
        {FaultKind::WrongBcc, 67, false, false},  {FaultKind::WrongLength, 66, false, true},
        {FaultKind::SplitReply, 67, false, true}, {FaultKind::SlowReplies, 67, false, true},
        {FaultKind::WrongAck, 67, false, true},  // acknowledgements only
    };
    for (const auto& c : cases) {
        PlcConfig config;
        config.faults = {Fault{c.kind, Request::Status}};
        config.slowByteGap = 5ms;
        Rig rig(config);
        std::string r = rig.ask(kStatus);
        EXPECT_EQ(r.size(), c.length) << faultName(c.kind);
        if (r.size() < 4)
            continue;
        EXPECT_EQ(r[3] == '!', c.errorMark) << faultName(c.kind);
        EXPECT_EQ(blockCheckHolds(r), c.bccHolds) << faultName(c.kind);
        // The mode change is not aimed at.
        EXPECT_EQ(rig.ask(kModeChange).size(), 9u);
    }
}

TEST(PlcCore, SplitAndSlowRepliesArriveInPiecesOnTime) {
    PlcConfig config;
    config.replyDelay = 30ms;
    config.splitPause = 250ms;
    config.faults = {Fault{FaultKind::SplitReply, Request::Any, 1, 1}};
    Rig rig(config);
    auto t0 = rig.clock.now();
    rig.send(kStatus);
    EXPECT_EQ(rig.plc.nextOutputTime(), t0 + 30ms);  // the first request is not aimed at
    EXPECT_EQ(rig.replyWithin().size(), 67u);

    auto t1 = rig.clock.now();
    rig.send(kStatus);
    rig.clock.advanceTo(t1 + 30ms);
    EXPECT_EQ(rig.plc.takeDue().size(), 33u);
    EXPECT_EQ(rig.plc.nextOutputTime(), t1 + 280ms);
    rig.clock.advanceTo(t1 + 280ms);
    EXPECT_EQ(rig.plc.takeDue().size(), 34u);

    // Only `count` requests are affected.
    EXPECT_EQ(rig.ask(kStatus).size(), 67u);

    PlcConfig slow;
    slow.slowByteGap = 2ms;
    slow.faults = {Fault{FaultKind::SlowReplies}};
    Rig trickle(slow);
    auto t2 = trickle.clock.now();
    trickle.send(kModeChange);
    EXPECT_EQ(trickle.plc.takeDue().size(), 1u);
    trickle.clock.advanceTo(t2 + 16ms);
    EXPECT_EQ(trickle.plc.takeDue().size(), 8u);
}

TEST(PlcCore, FaultsBendImageAcknowledgements) {
    struct Case {
        FaultKind kind;
        int from;
        std::string ackFrom;  // what block `from` and later get
    };
    const Case cases[] = {
        {FaultKind::WrongAck, 3, std::string(1, '\x01')},
        {FaultKind::DoubleAck, 0, std::string(2, '\0')},
        {FaultKind::SilenceFromBlock, 5, ""},
        {FaultKind::NoReply, -1, ""},
        {FaultKind::ErrorReply, 0, std::string(1, '\0')},  // frames only
    };
    auto image = firmware::ethernetImage();
    for (const auto& c : cases) {
        PlcConfig config;
        config.faults = {Fault{c.kind, Request::Image, c.from}};
        Rig rig(config);
        inUpdateMode(rig);
        auto acks = sendImage(rig, image.data, image.size);
        ASSERT_EQ(acks.size(), 33u);
        for (std::size_t i = 0; i < acks.size(); ++i) {
            int block = static_cast<int>(i) - 1;
            std::string expected = block >= c.from ? c.ackFrom : std::string(1, '\0');
            EXPECT_EQ(acks[i], expected) << faultName(c.kind) << " block " << block;
        }
    }
}

TEST(PlcCore, PortClosedMidTransferTakesTheLineAway) {
    PlcConfig config;
    config.faults = {Fault{FaultKind::PortClosedMidTransfer, Request::Any, 4}};
    Rig rig(config);
    inUpdateMode(rig);
    auto image = firmware::ethernetImage();
    auto acks = sendImage(rig, image.data, image.size);
    EXPECT_EQ(acks[4], std::string(1, '\0'));  // block 3
    EXPECT_EQ(acks[5], "");                    // block 4
    PlcState s = rig.plc.state();
    EXPECT_TRUE(s.portClosed);
    EXPECT_EQ(s.restartCount, 0);
    EXPECT_EQ(rig.ask(kStatus), "");
}

TEST(PlcCore, ComesBackUnderANewNameAfterTheRestartWhenAskedTo) {
    PlcConfig config;
    config.restartTime = 2s;
    config.faults = {Fault{FaultKind::NewNameAfterRestart}};
    Rig rig(config);
    inUpdateMode(rig);
    auto image = firmware::ethernetImage();
    sendImage(rig, image.data, image.size);
    EXPECT_EQ(rig.plc.portGeneration(), 0);
    rig.clock.advance(1s);
    EXPECT_EQ(rig.plc.portGeneration(), 0);
    // The restart ends at the idle gap after the last block plus the restart time.
    auto next = rig.plc.nextEventTime();
    ASSERT_TRUE(next);
    rig.clock.advanceTo(*next);
    EXPECT_EQ(rig.plc.portGeneration(), 1);
    EXPECT_FALSE(rig.plc.state().restarting);
}

// A PLC that restarts on the last byte: its USB port re-enumerates at once, so the line the
// tool holds hangs up with nothing sent, and the PLC is back under its new name with the new
// firmware.
TEST(PlcCore, HangsUpAsTheLastImageByteArrivesWhenAskedTo) {
    PlcConfig config;
    config.restartTime = 2s;
    config.faults = {Fault{FaultKind::HangUpAfterImage}};
    Rig rig(config);
    inUpdateMode(rig);
    auto image = firmware::ethernetImage();
    rig.send(reversed(image.data, 64));
    EXPECT_EQ(rig.plc.takeDue(), std::string(1, '\0'));
    for (std::size_t at = 64; at + 65536 < image.size; at += 65536) {
        rig.send(reversed(image.data + at, 65536));
        EXPECT_EQ(rig.plc.takeDue(), std::string(1, '\0')) << at;
    }
    EXPECT_EQ(rig.plc.portGeneration(), 0) << "gone before the last block";
    const std::size_t lastAt = 64 + 65536 * ((image.size - 64) / 65536);
    rig.send(reversed(image.data + lastAt, image.size - lastAt));
    EXPECT_EQ(rig.plc.portGeneration(), 1);
    EXPECT_EQ(rig.plc.takeDue(), "") << "nothing may follow the hang-up";
    rig.clock.advance(3s);
    PlcState s = rig.plc.state();
    EXPECT_EQ(s.imageIntact, true);
    EXPECT_EQ(s.version, "0180");
    EXPECT_FALSE(s.mode & 0x10);
    EXPECT_EQ(s.portGeneration, 1) << "renamed once, not again at the restart";
}

// An image that did not take: the PLC restarts and answers again, still in its update mode and
// on its old firmware, however right the image was.
TEST(PlcCore, StaysInUpdateModeAfterTheRestartWhenAskedTo) {
    PlcConfig config;
    config.restartTime = 2s;
    config.faults = {Fault{FaultKind::StaysInUpdateMode}};
    Rig rig(config);
    inUpdateMode(rig);
    auto image = firmware::ethernetImage();
    auto acks = sendImage(rig, image.data, image.size);
    for (const auto& a : acks)
        EXPECT_EQ(a, std::string(1, '\0')) << "the fault is not one of the answers";
    rig.clock.advance(2s);
    std::string r = rig.ask(kStatus);
    ASSERT_EQ(r.size(), 67u);
    EXPECT_EQ(r.substr(20, 2), "90");
    PlcState s = rig.plc.state();
    EXPECT_EQ(s.restartCount, 1);
    EXPECT_EQ(s.version, "0170");
}

TEST(PlcCore, FaultNamesRoundTrip) {
    for (const auto& f : faultCatalogue()) {
        EXPECT_EQ(faultFromName(f.name), f.kind);
        EXPECT_EQ(faultName(f.kind), f.name);
        EXPECT_FALSE(f.help.empty());
    }
    EXPECT_EQ(faultCatalogue().size(), 14u);
    EXPECT_FALSE(faultFromName("nope"));
    EXPECT_EQ(requestFromName("image"), Request::Image);
    EXPECT_FALSE(requestFromName("Image"));
}

TEST(PlcCore, ValidateNamesWhatIsWrong) {
    EXPECT_EQ(validate(PlcConfig{}), "");
    auto with = [](auto change) {
        PlcConfig c;
        change(c);
        return validate(c);
    };
    EXPECT_NE(with([](PlcConfig& c) { c.model = "B"; }), "");
    EXPECT_NE(with([](PlcConfig& c) { c.version = "01.80"; }), "");
    EXPECT_NE(with([](PlcConfig& c) { c.version = "01a0"; }), "");
    EXPECT_NE(with([](PlcConfig& c) { c.mode = 256; }), "");
    EXPECT_NE(with([](PlcConfig& c) { c.entryReplyCode = "!abc"; }), "");
    EXPECT_NE(with([](PlcConfig& c) { c.replyDelay = -1ms; }), "");
}

}  // namespace
}  // namespace qx4t::sim
