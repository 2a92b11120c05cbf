// A transcript as support receives it from the field: one real `update --simulate --log` run
// over a pseudo-terminal records it, and the whole version-up is then played back from it on
// virtual time, the tool's requests checked byte for byte against the recording.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/ExitCodes.h"
#include "cli/Machine.h"
#include "cli/Vup.h"
#include "link/ComManager.h"
#include "link/Transcript.h"
#include "platform/Quit.h"
#include "tests/support/TranscriptReplay.h"

namespace qx4t::cli {
namespace {

struct ReplayRun {
    int code = -1;
    std::string out;
    std::string err;
};

// The tool against the replayed PLC, answering nothing it is not asked.
ReplayRun Replay(test::TranscriptReplay& replay) {
    VirtualClock clock;
    test::FakeSerialPort port(clock);
    port.setResponder(replay.responder());
    CComManager::SetPortFactory(port.factory());
    Environment env;
    env.clock = &clock;
    env.waitUntil = [&clock](Clock::time_point until) {
        clock.advanceTo(until);
        return !quit::requested();
    };
    std::ostringstream out, err;
    ReplayRun run;
    run.code = RunVup({"update", "--port", "pts/0", "--yes"}, out, err, env);
    CComManager::SetPortFactory({});
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(CliReplay, ATranscriptOfASimulatedUpdatePlaysBackAsTheWholeUpdate) {
    quit::install();
    quit::reset();
    const std::string path = ::testing::TempDir() + "qx4t-vup-replay.log";
    {
        Environment env = MachineEnvironment();
        env.progressInPlace = false;
        std::ostringstream out, err;
        ASSERT_EQ(RunVup({"update", "--simulate", "--yes", "--log", path}, out, err, env),
                  kExitSuccess)
            << err.str() << out.str();
    }
    std::ifstream in(path);
    std::string error;
    const auto transcript = link::ReadTranscript(in, error);
    in.close();
    std::remove(path.c_str());
    ASSERT_TRUE(transcript) << error;
    ASSERT_TRUE(transcript->fillerSeed);

    {
        test::TranscriptReplay replay(*transcript);
        const ReplayRun run = Replay(replay);
        EXPECT_EQ(run.code, kExitSuccess) << run.err << run.out;
        EXPECT_NE(run.out.find("now runs firmware 1.80 (was 1.70)"), std::string::npos) << run.out;
        EXPECT_TRUE(replay.mismatches().empty()) << replay.mismatches().front();
        EXPECT_EQ(replay.requestsLeft(), 0u);
    }
    {
        // The filler is part of what is checked: another seed leaves the recording at the
        // update-mode entry, before any image byte.
        auto reseeded = *transcript;
        reseeded.fillerSeed = *transcript->fillerSeed + 1;
        test::TranscriptReplay replay(reseeded);
        const ReplayRun run = Replay(replay);
        EXPECT_EQ(run.code, kExitCommAfterEntry) << run.err << run.out;
        ASSERT_FALSE(replay.mismatches().empty());
    }
}

}  // namespace
}  // namespace qx4t::cli
