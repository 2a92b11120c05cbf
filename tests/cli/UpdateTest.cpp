// qx4t-vup end to end against the in-process simulated PLC on virtual time: every exit code
// from a scenario that causes it, the prompts, the JSON stream and the transcript.
#include <gtest/gtest.h>
#include <stdlib.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "JsonLines.h"
#include "cli/ExitCodes.h"
#include "cli/Vup.h"
#include "link/ComManager.h"
#include "platform/PendingUpdates.h"
#include "platform/PlcFileName.h"
#include "platform/PlcHold.h"
#include "platform/Quit.h"
#include "sim/InProcessBench.h"
#include "tests/support/TempFolder.h"

namespace qx4t::cli {
namespace {

using sim::Fault;
using sim::FaultKind;
using sim::PlcConfig;
using sim::Request;

class CliRun : public ::testing::Test {
protected:
    void SetUp() override {
        quit::reset();
        fresh();
        m_stateRoot = qx4t::test::MakeTempFolder("qx4t-cli");
        env.stateFolder = (m_stateRoot / "state").string();
        env.holdFolder = (m_stateRoot / "holds").string();
        env.notesFolder = (m_stateRoot / "notes").string();
        resetNotes();
        env.waitUntil = [this](Clock::time_point until) {
            m_clock->advanceTo(until);
            return !quit::requested();
        };
        env.listPorts = [this] { return m_bench->portInfos(); };
        env.deviceNodeOf = [this](const std::string& name) { return m_bench->deviceNodeOf(name); };
        env.ask = [this](const std::string& question) -> std::optional<bool> {
            questions.push_back(question);
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected question: " << question;
                return std::nullopt;
            }
            auto answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_stateRoot, ec);
        CComManager::SetPortFactory({});
        quit::reset();
        EXPECT_TRUE(answers.empty()) << "questions not asked";
    }

    // A new bench on a new clock, with no PLC attached.
    void fresh() {
        CComManager::SetPortFactory({});
        m_bench.reset();
        m_clock = std::make_unique<VirtualClock>();
        m_bench = std::make_unique<sim::InProcessBench>(*m_clock);
        env.clock = m_clock.get();
        CComManager::SetPortFactory(m_bench->portFactory());
    }
    // No note of any account: the folder of notes empty, and no account's own file.
    void resetNotes() {
        std::filesystem::remove_all(env.stateFolder);
        std::filesystem::remove_all(env.notesFolder);
        std::filesystem::create_directories(env.notesFolder);
    }
    PendingUpdates pending() const { return PendingUpdates(env.stateFolder, env.notesFolder); }
    VirtualClock& clock() { return *m_clock; }
    sim::InProcessBench& bench() { return *m_bench; }

    sim::PlcCore& addPlc(PlcConfig config = {}) {
        return bench().addPlc("pts/90", std::move(config));
    }

    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunVup(args, out, err, env);
    }

    static PlcConfig withFault(FaultKind kind, Request on, int from = 0, int count = 0) {
        PlcConfig config;
        config.faults.push_back(Fault{kind, on, from, count});
        return config;
    }

    std::filesystem::path m_stateRoot;
    std::unique_ptr<VirtualClock> m_clock;
    std::unique_ptr<sim::InProcessBench> m_bench;
    Environment env;
    std::deque<std::optional<bool>> answers;
    std::vector<std::string> questions;
    std::ostringstream out, err;
};

TEST_F(CliRun, UpdateTakesThePlcToTheTargetVersion) {
    auto& plc = addPlc();
    const auto start = clock().now();
    ASSERT_EQ(run({"update", "--yes"}), kExitSuccess) << err.str();
    const auto state = plc.state();
    EXPECT_EQ(state.version, "0180");
    EXPECT_EQ(state.imageIntact, std::optional<bool>(true));
    EXPECT_TRUE(state.entryComplete);
    EXPECT_EQ(state.mode & 0x10, 0);
    // One plain line per phase and per block, and the outcome on stdout.
    const std::string text = out.str();
    for (const char* line :
         {"status: ", "checks: ", "update-mode-entry: ", "transfer: block 0 of 33",
          "transfer: block 33 of 33, 2105408 of 2105408 bytes",
          "restart: ", "verify: ", "now runs firmware 1.80 (was 1.70)"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    }
    EXPECT_TRUE(err.str().empty()) << err.str();
    // The designed waits are all there: the final entry frame's 5 s, the 7.5 s pause.
    EXPECT_GE(clock().now() - start, std::chrono::milliseconds(12600));
}

TEST_F(CliRun, InteractiveConfirmationAndRefusals) {
    auto& plc = addPlc();
    answers = {false};
    EXPECT_EQ(run({"update", "--port", "pts/90"}), kExitRefused);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("TR6AW/TR6AZ"), std::string::npos) << questions[0];
    EXPECT_NE(questions[0].find("from 1.70 to 1.80"), std::string::npos) << questions[0];
    EXPECT_EQ(plc.state().entryFrames, 0);
    EXPECT_EQ(plc.state().framesReceived, 1);  // the status read alone

    // Nobody to ask (stdin is no terminal): refused, with the way out named.
    answers = {std::nullopt};
    EXPECT_EQ(run({"update"}), kExitRefused);
    EXPECT_NE(err.str().find("--yes"), std::string::npos) << err.str();
    EXPECT_EQ(plc.state().entryFrames, 0);

    answers = {true};
    EXPECT_EQ(run({"update"}), kExitSuccess) << err.str();
    EXPECT_EQ(plc.state().version, "0180");
}

TEST_F(CliRun, ChecksRefuseWithoutTouchingThePlc) {
    struct Case {
        const char* name;
        std::string version;
        int mode;
        std::string model;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{
             {"newer", "0181", 0x80, "B1", "newer than 1.80"},
             {"too old", "005F", 0x80, "B1", "too old"},
             {"mode 0x80 clear", "0170", 0x01, "B1", "does not allow"},
             {"mode zero", "0170", 0x00, "B0", "does not allow"},
             {"unknown model", "0170", 0x80, "B2", "not support"},
         }) {
        fresh();
        PlcConfig config;
        config.version = c.version;
        config.mode = c.mode;
        config.model = c.model;
        auto& plc = addPlc(config);
        EXPECT_EQ(run({"update", "--yes"}), kExitRefused) << c.name;
        EXPECT_NE(err.str().find(c.message), std::string::npos) << c.name << ": " << err.str();
        EXPECT_EQ(plc.state().entryFrames, 0) << c.name;
        EXPECT_EQ(plc.state().version, c.version) << c.name;
    }
    // The lowest version allowed passes.
    fresh();
    PlcConfig low;
    low.version = "0060";
    auto& plc = addPlc(low);
    EXPECT_EQ(run({"update", "--yes"}), kExitSuccess) << err.str();
    EXPECT_EQ(plc.state().version, "0180");
}

TEST_F(CliRun, DamagedImageOrFullDiskNeverLeaveThePlcHalfDone) {
    auto& plc = addPlc();
    // A damaged image is found before the PLC is sent into update mode, where it would wait
    // for an image that never comes.
    static const unsigned char shortImage[16] = {};
    env.image = [](const ModelRow&) { return firmware::Image{shortImage, sizeof shortImage}; };
    EXPECT_EQ(run({"update", "--yes"}), kExitRefused);
    EXPECT_NE(err.str().find("missing or damaged (16 bytes"), std::string::npos) << err.str();
    EXPECT_EQ(plc.state().entryFrames, 0);
    env.image = nullptr;

    // A transcript that cannot be written does not change the outcome, but is reported.
    EXPECT_EQ(run({"update", "--yes", "--log", "/dev/full"}), kExitSuccess);
    EXPECT_NE(err.str().find("transcript /dev/full failed"), std::string::npos) << err.str();
}

TEST_F(CliRun, ModeChangeOnlyWithConsent) {
    PlcConfig config;
    config.mode = 0x81;
    auto& plc = addPlc(config);

    // --yes confirms the version-up, not the mode change.
    answers = {false};
    EXPECT_EQ(run({"update", "--yes"}), kExitRefused);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("mode"), std::string::npos);
    EXPECT_EQ(plc.state().mode, 0x81);

    answers = {std::nullopt};
    EXPECT_EQ(run({"update", "--yes"}), kExitRefused);
    EXPECT_NE(err.str().find("--allow-mode-change"), std::string::npos) << err.str();

    EXPECT_EQ(run({"update", "--yes", "--allow-mode-change"}), kExitSuccess) << err.str();
    EXPECT_EQ(plc.state().mode & 0x01, 0);
    EXPECT_EQ(plc.state().version, "0180");
}

TEST_F(CliRun, PortChoiceFailuresExitTwo) {
    // No PLC at all.
    EXPECT_EQ(run({"update", "--yes"}), kExitNoPort);
    EXPECT_NE(err.str().find("no PLC found"), std::string::npos) << err.str();
    EXPECT_EQ(run({"ports"}), kExitNoPort);

    // Two PLCs: both are listed and neither is touched.
    auto& first = addPlc();
    auto& second = bench().addPlc("pts/95");
    EXPECT_EQ(run({"update", "--yes"}), kExitNoPort);
    EXPECT_NE(err.str().find("pts/90"), std::string::npos);
    EXPECT_NE(err.str().find("pts/95"), std::string::npos);
    EXPECT_EQ(first.state().framesReceived + second.state().framesReceived, 0);

    // A named port that does not exist, and one that another program holds.
    EXPECT_EQ(run({"status", "--port", "ttyUSB7"}), kExitNoPort);
    EXPECT_NE(err.str().find("does not exist"), std::string::npos) << err.str();
    auto holder = bench().portFactory()();
    ASSERT_TRUE(holder->open("/dev/pts/90").ok());
    EXPECT_EQ(run({"update", "--yes", "--port", "pts/90"}), kExitNoPort);
    EXPECT_NE(err.str().find("in use"), std::string::npos) << err.str();
    holder->close();

    // Access denied is explained before any attempt to open.
    env.accessAdvice = [](const std::string& path) { return "no access to " + path + ": dialout"; };
    EXPECT_EQ(run({"status", "--port", "pts/90"}), kExitNoPort);
    EXPECT_NE(err.str().find("no access to /dev/pts/90: dialout"), std::string::npos);
    EXPECT_EQ(first.state().framesReceived, 0);
}

TEST_F(CliRun, ModemManagerAdviceForUsbPortsOnly) {
    addPlc();
    bench().addPlc("ttyACM0");
    env.modemManagerRunning = [] { return true; };
    ASSERT_EQ(run({"status", "--port", "ttyACM0"}), kExitSuccess) << err.str();
    EXPECT_NE(err.str().find("ID_MM_DEVICE_IGNORE"), std::string::npos);
    ASSERT_EQ(run({"status", "--port", "pts/90"}), kExitSuccess);
    EXPECT_EQ(err.str().find("ModemManager"), std::string::npos);
}

TEST_F(CliRun, CommunicationFailuresBeforeTheEntryExitFour) {
    auto& plc = addPlc(withFault(FaultKind::NoReply, Request::Status));
    EXPECT_EQ(run({"update", "--yes"}), kExitCommBeforeEntry);
    EXPECT_NE(err.str().find("code 105"), std::string::npos) << err.str();
    EXPECT_EQ(plc.state().entryFrames, 0);
    EXPECT_EQ(run({"status"}), kExitCommBeforeEntry);

    fresh();
    PlcConfig config = withFault(FaultKind::ErrorReply, Request::ModeChange);
    config.mode = 0x81;
    auto& plc2 = addPlc(config);
    EXPECT_EQ(run({"update", "--yes", "--allow-mode-change"}), kExitCommBeforeEntry);
    EXPECT_NE(err.str().find("mode change failed"), std::string::npos) << err.str();
    EXPECT_EQ(plc2.state().entryFrames, 0);
}

TEST_F(CliRun, FailuresFromTheEntryOnExitFiveAndSayHowToRecover) {
    struct Case {
        const char* name;
        PlcConfig config;
    };
    std::vector<Case> cases = {
        {"entry frame without reply", withFault(FaultKind::NoReply, Request::UpdateEntry, 5, 1)},
        {"silence from block 7", withFault(FaultKind::SilenceFromBlock, Request::Image, 7)},
        {"wrong acknowledgement", withFault(FaultKind::WrongAck, Request::Image, 3, 1)},
        // Status reads 0 and 1 come before the transfer; the PLC never answers after it.
        {"no answer after the restart", withFault(FaultKind::NoReply, Request::Status, 2)},
    };
    for (auto& c : cases) {
        fresh();
        addPlc(c.config);
        const auto start = clock().now();
        EXPECT_EQ(run({"update", "--yes"}), kExitCommAfterEntry) << c.name << "\n" << err.str();
        EXPECT_NE(err.str().find("run 'qx4t-vup update' again"), std::string::npos) << c.name;
        if (std::string(c.name) == "no answer after the restart") {
            // Bounded: the limit and at most one round of 5 s reads past it.
            EXPECT_GE(clock().now() - start, env.restartWaitLimit);
            EXPECT_LE(clock().now() - start, env.restartWaitLimit + std::chrono::seconds(90));
        }
    }
}

TEST_F(CliRun, RunningAgainRecoversAPlcLeftInUpdateMode) {
    PlcConfig config;
    config.mode = 0x90;  // update mode, as an interrupted run leaves it
    auto& plc = addPlc(config);
    answers = {true};
    ASSERT_EQ(run({"update"}), kExitSuccess) << err.str();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("update mode"), std::string::npos);
    const auto state = plc.state();
    EXPECT_EQ(state.entryFrames, 0);  // no entry, no checks: the image went straight over
    EXPECT_EQ(state.imageIntact, std::optional<bool>(true));
    EXPECT_EQ(state.version, "0180");
}

TEST_F(CliRun, AnotherVersionAfterTheRestartExitsSix) {
    PlcConfig config;
    config.newVersion = "0179";
    addPlc(config);
    EXPECT_EQ(run({"update", "--yes", "--json"}), kExitWrongVersion);
    const auto records = test::ParseJsonLines(out.str());
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(test::Str(records.back(), "type"), "result");
    EXPECT_EQ(test::Num(records.back(), "exit"), 6);
    EXPECT_EQ(test::Str(records.back(), "version_raw"), "0179");
    EXPECT_NE(err.str().find("not 1.80"), std::string::npos) << err.str();
}

TEST_F(CliRun, InterruptBeforeTheEntryIsCleanAfterItWarns) {
    auto& plc = addPlc();
    // Ctrl-C while the status read waits for its reply.
    plc.setExchangeSink([](const sim::Exchange& e) {
        if (e.direction == sim::Direction::ToPlc)
            quit::request();
    });
    EXPECT_EQ(run({"update", "--yes"}), kExitInterrupted);
    EXPECT_NE(err.str().find("untouched"), std::string::npos) << err.str();
    EXPECT_EQ(plc.state().entryFrames, 0);
    // The port was closed: a new run can open it.
    quit::reset();
    plc.setExchangeSink({});

    // Ctrl-C in the middle of the transfer.
    int blocks = 0;
    plc.setExchangeSink([&blocks](const sim::Exchange& e) {
        if (e.direction == sim::Direction::ToPlc && e.size == 65536 && ++blocks == 4) {
            quit::request();
        }
    });
    EXPECT_EQ(run({"update", "--yes"}), kExitInterrupted);
    EXPECT_NE(err.str().find("may be in update mode"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("again"), std::string::npos);
    EXPECT_EQ(plc.state().version, "0170");
    quit::reset();
    plc.setExchangeSink({});

    // Once the PLC has given up on the broken image and restarted, running again recovers it.
    clock().advance(std::chrono::seconds(20));
    EXPECT_EQ(run({"update", "--yes"}), kExitSuccess) << err.str();
    EXPECT_EQ(plc.state().version, "0180");
}

TEST_F(CliRun, JsonStreamOfAnUpdate) {
    addPlc();
    ASSERT_EQ(run({"update", "--yes", "--json"}), kExitSuccess) << err.str();
    const auto records = test::ParseJsonLines(out.str());
    std::vector<std::string> phases;
    std::vector<int> blocks;
    double lastBytes = -1;
    for (const auto& r : records) {
        const std::string type = test::Str(r, "type");
        if (type == "phase")
            phases.push_back(test::Str(r, "phase"));
        if (type == "progress" && test::Str(r, "phase") == "transfer") {
            blocks.push_back(static_cast<int>(test::Num(r, "block")));
            EXPECT_EQ(test::Num(r, "blocks"), 33);
            EXPECT_GT(test::Num(r, "bytes"), lastBytes);
            lastBytes = test::Num(r, "bytes");
            EXPECT_GE(test::Num(r, "elapsed_s"), 0);
        }
    }
    EXPECT_EQ(phases, (std::vector<std::string>{"status", "checks", "update-mode-entry", "transfer",
                                                "restart", "verify"}));
    ASSERT_EQ(blocks.size(), 34u);
    EXPECT_EQ(blocks.front(), 0);
    EXPECT_EQ(blocks.back(), 33);
    EXPECT_EQ(lastBytes, 2105408);

    const auto& status = records.at(1);
    EXPECT_EQ(test::Str(records.at(0), "type"), "phase");
    EXPECT_EQ(test::Str(status, "type"), "status");
    EXPECT_EQ(test::Str(status, "model"), "B1");
    EXPECT_EQ(test::Str(status, "version"), "1.70");
    EXPECT_TRUE(test::Bool(status, "update_allowed"));

    const auto& result = records.back();
    EXPECT_EQ(test::Str(result, "type"), "result");
    EXPECT_EQ(test::Num(result, "exit"), 0);
    EXPECT_EQ(test::Str(result, "result"), "success");
    EXPECT_EQ(test::Str(result, "version"), "1.80");
    EXPECT_EQ(test::Str(result, "previous_version"), "1.70");
    // What a plant's report takes from the run: the target, the image sent, UTC times.
    EXPECT_EQ(test::Str(result, "target_version"), "1.80");
    EXPECT_EQ(test::Str(result, "image_sha256").size(), 64u);
    for (const char* key : {"started", "finished"}) {
        EXPECT_EQ(test::Str(result, key).size(), 24u) << key;
        EXPECT_EQ(test::Str(result, key).back(), 'Z') << key;
    }
    EXPECT_LE(test::Str(result, "started"), test::Str(result, "finished"));
}

TEST_F(CliRun, ProgressShowsABlockOnlyOnceItHasGoneOut) {
    auto& plc = addPlc();
    // When each piece of the image reaches the PLC, the progress must not already show it.
    int arriving = 0;  // as the progress counts: 0 the head, then the blocks
    std::vector<std::string> early;
    plc.setExchangeSink([&](const sim::Exchange& e) {
        if (e.direction != sim::Direction::ToPlc ||
            (e.size != 64 && e.size != 65536 && e.size != 2105408 - 64 - 32 * 65536)) {
            return;
        }
        int shown = -1;
        for (const auto& r : test::ParseJsonLines(out.str())) {
            if (test::Str(r, "type") == "progress" && test::Str(r, "phase") == "transfer")
                shown = static_cast<int>(test::Num(r, "block"));
        }
        // The last block has no answer: it counts once the link has written it, and the
        // simulated line hands it over later, at its own pace.
        if (shown >= arriving && arriving < 33)
            early.push_back(std::to_string(arriving));
        ++arriving;
    });
    ASSERT_EQ(run({"update", "--yes", "--json"}), kExitSuccess) << err.str();
    EXPECT_EQ(arriving, 34);
    EXPECT_TRUE(early.empty()) << "shown before it went out: " << early.front();
}

// A device's description reaches a terminal: it must not carry control sequences there.
TEST_F(CliRun, DeviceTextsCannotControlTheTerminal) {
    addPlc();
    bench().addPlc("ttyUSB3", {},
                   "Evil\x1b]0;owned\x07 \xc2\x9b"
                   "2J\r\x7f UART \xe6\x97\xa5");
    ASSERT_EQ(run({"ports", "--all"}), kExitSuccess);
    const std::string text = out.str();
    EXPECT_NE(text.find("Evil?]0;owned? ?2J?? UART \xe6\x97\xa5"), std::string::npos) << text;
    for (const char c : text) {
        EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || c == '\n' || c == '\t') << int(c);
    }
}

// A registry folder that is not the user's own hides every simulated port: the list says so
// before it looks complete.
TEST_F(CliRun, PortsTellWhyTheSimulatedPortsAreNotListed) {
    addPlc();
    const auto planted = m_stateRoot / "planted";
    std::filesystem::create_directory_symlink(m_stateRoot, planted);
    env.discoveryProblems = [&] {
        std::vector<std::string> problems;
        (void)ports::enumeratePorts(
            {"/nonexistent", "/nonexistent", "/nonexistent", planted.string()}, &problems);
        return problems;
    };
    ASSERT_EQ(run({"ports"}), kExitSuccess);
    EXPECT_NE(err.str().find("warning: simulated ports are not listed: " + planted.string() +
                             " is a symbolic link"),
              std::string::npos)
        << err.str();
    ASSERT_EQ(run({"ports", "--json"}), kExitSuccess);
    const auto records = test::ParseJsonLines(out.str());
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(test::Str(records[0], "type"), "problem");
    EXPECT_NE(test::Str(records[0], "message").find(planted.string()), std::string::npos);
}

TEST_F(CliRun, PortsAndStatusInJson) {
    addPlc();
    auto& other = bench().addPlc("ttyS0", {}, "16550A UART");
    (void)other;
    ASSERT_EQ(run({"ports", "--json"}), kExitSuccess);
    auto records = test::ParseJsonLines(out.str());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(test::Str(records[0], "port"), "pts/90");
    EXPECT_EQ(test::Str(records[0], "identity"), "virtual:bench-0");
    EXPECT_EQ(test::Str(records[0], "identity_kind"), "virtual");
    EXPECT_TRUE(test::Bool(records[0], "identity_unique"));
    EXPECT_TRUE(test::Bool(records[0], "plc"));
    EXPECT_EQ(test::Num(records[1], "exit"), 0);

    ASSERT_EQ(run({"ports", "--all", "--json"}), kExitSuccess);
    records = test::ParseJsonLines(out.str());
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(test::Str(records[1], "description"), "16550A UART");
    EXPECT_FALSE(test::Bool(records[1], "plc"));

    ASSERT_EQ(run({"status", "--port", "pts/90", "--json"}), kExitSuccess);
    records = test::ParseJsonLines(out.str());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(test::Str(records[0], "series"), "TR6AW/TR6AZ");
    EXPECT_EQ(test::Str(records[0], "version_raw"), "0170");
    EXPECT_EQ(test::Str(records[0], "mode"), "80");
    EXPECT_EQ(test::Str(records[0], "identity"), "virtual:bench-0");
    EXPECT_EQ(test::Str(records[0], "identity_kind"), "virtual");
    EXPECT_TRUE(test::Bool(records[0], "identity_unique"));
    EXPECT_FALSE(test::Bool(records[0], "update_mode"));
    EXPECT_FALSE(test::Bool(records[0], "mode_change_needed"));

    ASSERT_EQ(run({"status", "--port", "pts/90"}), kExitSuccess);
    EXPECT_NE(out.str().find("Firmware:  1.70  (raw 0170)"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("0x80 update allowed: yes"), std::string::npos) << out.str();
}

// A script decides from the status alone whether to run `update`: below the target, or left in
// update mode, is work; at the target or newer is none.
TEST_F(CliRun, StatusSaysWhetherAnUpdateIsNeeded) {
    auto needed = [this](const std::string& version, int mode) {
        fresh();
        PlcConfig config;
        config.version = version;
        config.mode = mode;
        addPlc(config);
        EXPECT_EQ(run({"status", "--port", "pts/90", "--json"}), kExitSuccess) << err.str();
        const auto records = test::ParseJsonLines(out.str());
        EXPECT_EQ(test::Str(records.at(0), "target_version"), "1.80");
        return test::Bool(records.at(0), "update_needed");
    };
    EXPECT_TRUE(needed("0170", 0x80));
    EXPECT_FALSE(needed("0180", 0x80));
    EXPECT_FALSE(needed("0181", 0x80));
    EXPECT_TRUE(needed("0180", 0x90));

    fresh();
    addPlc();
    ASSERT_EQ(run({"update", "--yes"}), kExitSuccess) << err.str();
    ASSERT_EQ(run({"status"}), kExitSuccess);
    EXPECT_NE(out.str().find("Target:    1.80  (update needed: no)"), std::string::npos)
        << out.str();
}

TEST_F(CliRun, TranscriptOfTheStatusRead) {
    PlcConfig config;
    config.version = "0181";  // refused after the status read: the transcript holds it alone
    addPlc(config);
    const std::string path = ::testing::TempDir() + "qx4t-vup-transcript.log";
    ASSERT_EQ(run({"update", "--yes", "--log", path}), kExitRefused);
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(path.c_str());
    std::istringstream lines(text);
    std::string header, request, reply, extra;
    std::getline(lines, header);
    std::getline(lines, request);
    std::getline(lines, reply);
    EXPECT_EQ(header.rfind("# qx4t-vup transcript", 0), 0u) << header;
    // "%EE#EX00RT001D" and a carriage return.
    EXPECT_NE(request.find(" > 25 45 45 23 45 58 30 30 52 54 30 30 31 44 0D"), std::string::npos)
        << request;
    EXPECT_EQ(request.size(), 12 + 15 * 3u);
    EXPECT_NE(reply.find(" < 25 45 45 24 "), std::string::npos) << reply;
    EXPECT_EQ(reply.size(), 12 + 67 * 3u);
    EXPECT_FALSE(std::getline(lines, extra)) << extra;

    EXPECT_EQ(run({"update", "--yes", "--log", "/nonexistent-folder/x.log"}), kExitUsage);
}

TEST_F(CliRun, EachUpdateWithoutLogKeepsARunLogWithTheOutcome) {
    const std::string pattern = qx4t::test::MakeTempFolder("qx4t-vup-runlog");
    ASSERT_FALSE(pattern.empty());
    env.runLogFolder = std::string(pattern) + "/qx4t";
    addPlc();
    ASSERT_EQ(run({"update", "--yes"}), kExitSuccess) << err.str();
    std::vector<std::string> logs;
    for (const auto& entry : std::filesystem::directory_iterator(env.runLogFolder)) {
        if (entry.path().extension() == ".log")
            logs.push_back(entry.path().string());
    }
    ASSERT_EQ(logs.size(), 1u);
    std::ifstream in(logs[0]);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("# qx4t-vup transcript", 0), 0u);
    EXPECT_NE(text.find("image head: 64 bytes, CRC-32 "), std::string::npos);
    EXPECT_NE(text.find("image block 32: 8192 bytes, CRC-32 "), std::string::npos) << text;
    // The entry frames come whole (some 300 KB); the 2 MB image would triple that in hex.
    EXPECT_LT(text.size(), 1024u * 1024u) << "the image's bytes went into the run log";
    EXPECT_NE(text.find("outcome: exit 0: "), std::string::npos) << text;
    in.close();  // an open file cannot be removed on Windows

    // --log names the file: that file alone, every byte in it.
    const std::string path = std::string(pattern) + "/chosen.log";
    fresh();
    addPlc();
    ASSERT_EQ(run({"update", "--yes", "--log", path}), kExitSuccess) << err.str();
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(env.runLogFolder))
        count += entry.path().extension() == ".log" ? 1 : 0;
    EXPECT_EQ(count, 1u);
    EXPECT_GT(std::filesystem::file_size(path), 2105408u * 3);
    std::filesystem::remove_all(pattern);
}

TEST_F(CliRun, InPlaceDisplayRedrawsOneLine) {
    addPlc();
    env.progressInPlace = true;
    ASSERT_EQ(run({"update", "--yes"}), kExitSuccess) << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("\r\033[Ktransfer: sending the firmware image | block 33 of 33"),
              std::string::npos);
    EXPECT_NE(text.find("remaining"), std::string::npos);
}

TEST_F(CliRun, PortRenamedAfterTheRestartIsFollowed) {
    auto& plc = addPlc(withFault(FaultKind::NewNameAfterRestart, Request::Any));
    ASSERT_EQ(run({"update", "--yes"}), kExitSuccess) << err.str();
    EXPECT_EQ(plc.state().version, "0180");
    EXPECT_NE(err.str().find("now on pts/91"), std::string::npos) << err.str();
}

// Another PLC, already at 1.80, takes the updated PLC's old name while it restarts: only the
// PLC that was updated is verified, under its new name, and it runs 1.75.
TEST_F(CliRun, OnlyThePlcThatWasUpdatedIsVerified) {
    PlcConfig config = withFault(FaultKind::NewNameAfterRestart, Request::Any);
    config.newVersion = "0175";
    auto& updated = addPlc(config);
    sim::PlcCore* other = nullptr;
    env.listPorts = [&] {
        if (!other && bench().portNameOf(updated) != "pts/90") {
            PlcConfig newer;
            newer.version = "0180";
            other = &bench().addPlc("pts/90", newer);
        }
        return bench().portInfos();
    };
    EXPECT_EQ(run({"update", "--yes", "--port", "pts/90"}), kExitWrongVersion) << err.str();
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(updated.state().version, "0175");
    EXPECT_NE(err.str().find("not 1.80"), std::string::npos) << err.str();
    EXPECT_EQ(other->state().framesReceived, 0) << "the other PLC was never asked";
}

// Which PLC is which, in the situations that fooled name-based following: each row arranges the
// bench (and what happens while the run goes on) and states what the user is told. A PLC that
// is not the one the run began with is never written to and never verified.
TEST_F(CliRun, ThePlcIsKnownByAnIdentityCheckedBeforeEveryWrite) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::vector<std::string> args;
        int exit;
        const char* said;
        std::function<void()> check;
    };
    sim::PlcCore* a = nullptr;
    sim::PlcCore* b = nullptr;
    PlcHold wizard;
    auto marked = [this](const std::string& key) { return pending().isMarked(key).value_or(true); };
    // The second PLC, model B0 at the target, on the first one's name.
    auto swapIn = [&](const std::string& sharedId) {
        bench().unplug(*a);
        PlcConfig other;
        other.model = "B0";
        other.version = "0180";
        b = &bench().addPlc("pts/90", other);
        if (!sharedId.empty())
            bench().setVirtualId(*b, sharedId);
    };
    const Case cases[] = {
        {"unique",
         [&] { a = &addPlc(); },
         {"update", "--yes"},
         kExitSuccess,
         "now runs firmware",
         [&] { EXPECT_FALSE(marked("virtual:bench-0")); }},
        {"renamed after the restart",
         [&] { a = &addPlc(withFault(FaultKind::NewNameAfterRestart, Request::Any)); },
         {"update", "--yes"},
         kExitSuccess,
         "now on pts/91",
         [] {}},
        {"two PLCs with one id: refused before anything is written",
         [&] {
             a = &addPlc();
             b = &bench().addPlc("pts/95");
             bench().setVirtualId(*a, "X");
             bench().setVirtualId(*b, "X");
         },
         {"update", "--yes", "--port", "pts/90"},
         kExitNoPort,
         "Attach one PLC at a time",
         [&] { EXPECT_EQ(a->state().entryFrames + b->state().entryFrames, 0); }},
        {"an alias is the listed port, with its note key",
         [&] {
             a = &addPlc(withFault(FaultKind::NoReply, Request::Status, 1));
             bench().addAlias(*a, "pts/../pts/90");
         },
         {"update", "--yes", "--port", "pts/../pts/90"},
         kExitCommAfterEntry,
         "--port pts/../pts/90 is pts/90",
         [&] {
             EXPECT_TRUE(marked("virtual:bench-0"));
             EXPECT_FALSE(marked("port:pts/../pts/90"));
         }},
        {"held by another tool from its first status read",
         [&] {
             a = &addPlc();
             ASSERT_EQ(wizard.acquire(env.holdFolder, "virtual:bench-0", "qx4t-vuptool"),
                       PlcHold::Status::Held);
         },
         {"update", "--yes"},
         kExitNoPort,
         "is held by qx4t-vuptool (pid ",
         [&] {
             EXPECT_EQ(a->state().entryFrames, 0);
             wizard.release();
         }},
        {"a note an earlier release keyed by an alias",
         [&] {
             a = &addPlc(withFault(FaultKind::NoReply, Request::Status));
             bench().addAlias(*a, "ttyACM0");
             ASSERT_TRUE(pending().mark("port:ttyACM0", "ttyACM0").ok);
         },
         {"update", "--yes"},
         kExitCommAfterEntry,
         "never verified",
         [] {}},
        {"a path that is no serial device",
         [&] {
             a = &addPlc();
             env.deviceNodeOf = [](const std::string&) {
                 return ports::DeviceNode{ports::DeviceNode::Kind::NotSerial, {}};
             };
         },
         {"status", "--port", "../tmp/notes"},
         kExitUsage,
         "is not a serial device",
         [] {}},
        {"another PLC on the name while the question waits",
         [&] {
             a = &addPlc();
             env.ask = [&](const std::string&) -> std::optional<bool> {
                 swapIn({});
                 return true;
             };
         },
         {"update"},
         kExitCommBeforeEntry,
         "a PLC of another identity (virtual:bench-1 on pts/90)",
         [&] {
             EXPECT_EQ(a->state().entryFrames + b->state().entryFrames, 0);
             EXPECT_NE(err.str().find("(virtual:bench-0) was not put into its update mode"),
                       std::string::npos);
             EXPECT_FALSE(marked("virtual:bench-0"));
         }},
        {"the same id but another model answers after the restart",
         [&] {
             a = &addPlc();
             env.waitUntil = [&](Clock::time_point until) {
                 if (b == nullptr)
                     swapIn("bench-0");
                 clock().advanceTo(until);
                 return true;
             };
         },
         {"update", "--yes"},
         kExitCommAfterEntry,
         "not the model B1 that was updated",
         [&] { EXPECT_TRUE(marked("virtual:bench-0")); }},
    };
    const auto waitUntil = env.waitUntil;
    const auto ask = env.ask;
    const auto deviceNodeOf = env.deviceNodeOf;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        resetNotes();
        a = b = nullptr;
        env.waitUntil = waitUntil;
        env.ask = ask;
        env.deviceNodeOf = deviceNodeOf;
        c.arrange();
        EXPECT_EQ(run(c.args), c.exit) << err.str();
        EXPECT_NE((out.str() + err.str()).find(c.said), std::string::npos) << err.str();
        c.check();
    }
}

#ifndef _WIN32
// The notes of unverified updates, as `status` and `update` read and clear them: a note stands
// for every account until the PLC is verified or seen running normally under an identity of its
// own, and while it stands a silent PLC is never called untouched, by either command.
TEST_F(CliRun, NotesOfUnverifiedUpdatesAreSeenByEveryCommandAndAccount) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::vector<std::string> args;
        int exit;
        const char* said;
        std::function<void()> check;
    };
    struct InBench : SimulatedPlc {
        std::string portName() const override { return "pts/90"; }
    };
    const bool root = ::geteuid() == 0;
    const std::string bench0 = "virtual:bench-0";
    auto note = [&](const std::string& key) { ASSERT_TRUE(pending().mark(key, "pts/90").ok); };
    // A note of another account, as its tool leaves it (another owner, when the test is root).
    auto fleetNote = [&](const std::string& key, const std::string& state) {
        const auto file = std::filesystem::path(env.notesFolder) / qx4t::plcFileName(key, ".note");
        std::ofstream(file) << "qx4t note 1\nidentity " << key
                            << "\nport ttyACM3\naccount fleet\ntime 2026-01-02T03:04:05Z\nstate "
                            << state << "\n";
        std::filesystem::permissions(
            file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                      std::filesystem::perms::group_read | std::filesystem::perms::group_write |
                      std::filesystem::perms::others_read | std::filesystem::perms::others_write);
        if (root) {
            EXPECT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        }
    };
    auto marked = [&](const std::string& key) { return pending().isMarked(key).value_or(true); };
    auto result = [&] { return test::ParseJsonLines(out.str()).back(); };
    // Left in its update mode by an interrupted run.
    auto inUpdateMode = [](PlcConfig config = {}) {
        config.mode = 0x90;
        return config;
    };
    const Case cases[] = {
        {"status of a silent PLC with a note exits 5, as update does",
         [&] {
             addPlc(withFault(FaultKind::NoReply, Request::Status));
             note(bench0);
         },
         {"status", "--json"},
         kExitCommAfterEntry,
         "never verified",
         [&] {
             const auto r = result();
             EXPECT_EQ(test::Str(r, "unverified_update"), "<object>");
             EXPECT_EQ(test::Str(r, "unverified_update.port"), "pts/90");
             EXPECT_GE(test::Num(r, "unverified_update.age_seconds"), 0);
             EXPECT_FALSE(test::Str(r, "unverified_update.account").empty());
             EXPECT_TRUE(marked(bench0));
         }},
        {"status of a silent PLC without a note exits 4",
         [&] { addPlc(withFault(FaultKind::NoReply, Request::Status)); },
         {"status", "--json"},
         kExitCommBeforeEntry,
         "status read failed",
         [&] {
             EXPECT_EQ(test::ParseJsonLines(out.str()).size(), 1u);
             EXPECT_FALSE(test::Bool(result(), "unverified_update"));
         }},
        {"another account's note counts, in the status record too",
         [&] {
             addPlc(inUpdateMode());
             fleetNote(bench0, "pending");
         },
         {"status", "--json"},
         kExitSuccess,
         "status read",
         [&] {
             const auto records = test::ParseJsonLines(out.str());
             EXPECT_EQ(test::Str(records.at(0), "unverified_update.account"), "fleet");
             EXPECT_EQ(test::Str(records.at(0), "unverified_update.port"), "ttyACM3");
             EXPECT_TRUE(marked(bench0));
         }},
        {"another account's note is cleared by a verified success",
         [&] {
             addPlc(inUpdateMode(withFault(FaultKind::NoReply, Request::Status, 0, 1)));
             fleetNote(bench0, "pending");
         },
         {"update", "--yes"},
         kExitCommAfterEntry,
         "never verified",
         [&] {
             EXPECT_TRUE(marked(bench0));
             clock().advance(std::chrono::seconds(2));
             EXPECT_EQ(run({"update", "--yes"}), kExitSuccess) << err.str();
             EXPECT_FALSE(marked(bench0));
         }},
        {"a note another account marked cleared is none",
         [&] {
             addPlc(withFault(FaultKind::NoReply, Request::Status));
             fleetNote(bench0, "cleared by fleet at 2026-01-02T03:05:00Z");
         },
         {"status"},
         kExitCommBeforeEntry,
         "status read failed",
         [] {}},
        {"a PLC seen in its normal mode under its own identity: the note goes",
         [&] {
             addPlc();
             fleetNote(bench0, "pending");
             note("port:ttyACM3");
         },
         {"status"},
         kExitSuccess,
         "the note of an unverified update of virtual:bench-0 (left by fleet under ttyACM3) is "
         "cleared: the PLC answers in its normal mode",
         [&] {
             EXPECT_FALSE(marked(bench0));
             EXPECT_TRUE(marked("port:ttyACM3")) << "a name is no identity";
         }},
        {"a later unanswered mode change is untouched once the PLC was seen running",
         [&] {
             PlcConfig config = withFault(FaultKind::NoReply, Request::ModeChange);
             config.mode = 0x81;
             addPlc(config);
             note(bench0);
         },
         {"update", "--yes", "--allow-mode-change"},
         kExitCommBeforeEntry,
         "the firmware is untouched",
         [&] { EXPECT_FALSE(marked(bench0)); }},
        {"a PLC known by its port's name alone keeps the note",
         [&] {
             auto& a = addPlc();
             auto& b = bench().addPlc("pts/95");
             bench().setVirtualId(a, "X");
             bench().setVirtualId(b, "X");
             note("port:pts/90");
         },
         {"status", "--port", "pts/90"},
         kExitSuccess,
         "known by its port's name alone",
         [&] { EXPECT_TRUE(marked("port:pts/90")); }},
        {"--simulate needs no note, even where none can be written",
         [&] {
             addPlc();
             env.startSimulator = [](std::string&) { return std::make_unique<InBench>(); };
             env.stateFolder = "/proc/qx4t-no-state";
             env.notesFolder = "/proc/qx4t-no-notes";
         },
         {"update", "--simulate", "--yes"},
         kExitSuccess,
         "now runs firmware",
         [] {}},
    };
    const Environment saved = env;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        env = saved;
        fresh();
        resetNotes();
        c.arrange();
        EXPECT_EQ(run(c.args), c.exit) << err.str();
        EXPECT_NE((out.str() + err.str()).find(c.said), std::string::npos)
            << out.str() << err.str();
        c.check();
    }
    env = saved;
}
#endif

// Ctrl-C in the middle of the transfer: the next run finds a PLC that takes its status request
// for image bytes. That is never "untouched"; the run after it recovers the PLC.
TEST_F(CliRun, AnInterruptedTransferIsNeverCalledUntouched) {
    PlcConfig config;
    config.replyDelay = std::chrono::milliseconds(150);
    auto& plc = addPlc(config);
    plc.setExchangeSink([](const sim::Exchange& e) {
        if (e.direction == sim::Direction::ToPlc && e.note == "image block 4")
            quit::request();
    });
    EXPECT_EQ(run({"update", "--yes"}), kExitInterrupted);
    quit::reset();
    plc.setExchangeSink({});

    EXPECT_EQ(run({"update", "--yes"}), kExitCommAfterEntry) << err.str();
    EXPECT_EQ(err.str().find("untouched"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("never verified"), std::string::npos) << err.str();

    clock().advance(std::chrono::seconds(2));
    EXPECT_EQ(run({"update", "--yes"}), kExitSuccess) << err.str();
    EXPECT_EQ(plc.state().version, "0180");
    // Verified: a later failure to answer is an ordinary one again.
    fresh();
    addPlc(withFault(FaultKind::NoReply, Request::Status));
    EXPECT_EQ(run({"update", "--yes"}), kExitCommBeforeEntry) << err.str();
}

// The restart wait ends within the time the help states, whatever the polls do, and says
// whether the PLC was silent or answered still in its update mode.
TEST_F(CliRun, TheRestartWaitEndsWithinItsLimit) {
    struct Case {
        const char* name;
        PlcConfig config;
        const char* said;
    };
    PlcConfig stays;
    stays.faults = {Fault{FaultKind::StaysInUpdateMode}};
    const Case cases[] = {
        {"silent", withFault(FaultKind::NoReply, Request::Status, 2),
         "did not answer within 120 s"},
        {"still in update mode", stays, "still in its update mode 120 s after the transfer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        addPlc(c.config);
        Clock::time_point transferEnd{};
        env.waitUntil = [&](Clock::time_point until) {
            if (transferEnd == Clock::time_point{})
                transferEnd = clock().now();
            clock().advanceTo(until);
            return !quit::requested();
        };
        EXPECT_EQ(run({"update", "--yes"}), kExitCommAfterEntry) << err.str();
        EXPECT_LE(clock().now() - transferEnd,
                  env.restartWaitLimit + std::chrono::milliseconds(200));
        EXPECT_NE(err.str().find(c.said), std::string::npos) << err.str();
    }
}

// A library file damaged after the build: the image is refused before the PLC is touched.
TEST_F(CliRun, AnImageThatIsNotTheOneBuiltIsRefused) {
    auto& plc = addPlc();
    const auto built = firmware::ethernetImage();
    static std::string damaged;
    damaged.assign(reinterpret_cast<const char*>(built.data), built.size);
    damaged[1000] ^= 0x01;
    env.image = [](const ModelRow&) {
        return firmware::Image{reinterpret_cast<const unsigned char*>(damaged.data()),
                               damaged.size()};
    };
    EXPECT_EQ(run({"update", "--yes"}), kExitRefused);
    EXPECT_NE(err.str().find("damaged; reinstall"), std::string::npos) << err.str();
    EXPECT_EQ(plc.state().entryFrames, 0);
}

}  // namespace
}  // namespace qx4t::cli
