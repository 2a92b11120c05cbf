#include "cli/Options.h"

#include <gtest/gtest.h>

#include <sstream>

#include "JsonLines.h"
#include "cli/ExitCodes.h"
#include "cli/Report.h"
#include "cli/Vup.h"

namespace qx4t::cli {
namespace {

TEST(CliOptions, AcceptedCommandLines) {
    {
        const auto r = ParseOptions({"update", "--port", "/dev/ttyACM0", "--yes", "--log=x.log",
                                     "--allow-mode-change", "--json"});
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.options.command, Command::Update);
        EXPECT_EQ(r.options.port, "ttyACM0");
        EXPECT_TRUE(r.options.yes && r.options.allowModeChange && r.options.json);
        EXPECT_EQ(r.options.logFile, "x.log");
    }
    {
        const auto r = ParseOptions({"status", "--port=serial/by-id/usb-TEMLO_PLC-if00"});
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.options.port, "serial/by-id/usb-TEMLO_PLC-if00");
    }
    {
        const auto r = ParseOptions({"ports", "--all", "--json"});
        ASSERT_TRUE(r.ok());
        EXPECT_TRUE(r.options.all && r.options.json);
    }
    EXPECT_EQ(ParseOptions({"update", "--simulate"}).options.simulate, true);
    EXPECT_EQ(ParseOptions({"--version"}).options.command, Command::Version);
    EXPECT_EQ(ParseOptions({"--help"}).options.command, Command::Help);
    EXPECT_EQ(ParseOptions({"update", "--help"}).options.command, Command::Help);
}

TEST(CliOptions, UsageErrorsExitWithOne) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"flash"},
        {"ports", "--port", "ttyACM0"},  // options that belong to another command
        {"status", "--yes"},
        {"status", "--simulate"},
        {"doctor", "--yes"},
        {"ports", "--log", "f"},
        {"update", "--port"},  // value missing
        {"update", "--port="},
        {"update", "--log", ""},
        {"update", "--port", "/dev/"},
        {"update", "--yes", "--yes"},
        {"update", "--yes=1"},
        {"update", "--simulate", "--port", "pts/3"},
        {"update", "--bogus"},
        {"--version", "extra"},
        {"--version", "--yes"},
    };
    for (const auto& args : bad) {
        std::ostringstream out, err;
        Environment env;
        EXPECT_EQ(RunVup(args, out, err, env), kExitUsage) << (args.empty() ? "" : args[0]);
        EXPECT_NE(err.str().find("usage: qx4t-vup"), std::string::npos);
        EXPECT_TRUE(out.str().empty());
    }
}

TEST(CliOptions, UnderJsonAUsageErrorStillEndsWithAResultObject) {
    const std::vector<std::vector<std::string>> bad = {
        {"update", "--port", "--json"},  // --json is no port name
        {"status", "--json", "--bogus"},
        {"ports", "--json", "--yes"},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(args[1] + " " + args[2]);
        std::ostringstream out, err;
        Environment env;
        EXPECT_EQ(RunVup(args, out, err, env), kExitUsage);
        const auto records = test::ParseJsonLines(out.str());
        ASSERT_EQ(records.size(), 1u) << out.str();
        EXPECT_EQ(test::Str(records[0], "type"), "result");
        EXPECT_EQ(test::Num(records[0], "exit"), kExitUsage);
        EXPECT_EQ(test::Str(records[0], "result"), "failure");
        EXPECT_NE(err.str().find("usage: qx4t-vup"), std::string::npos);
    }
    EXPECT_EQ(test::Str(test::ParseJsonLines([] {
                            std::ostringstream out, err;
                            Environment env;
                            (void)RunVup({"update", "--port", "--json"}, out, err, env);
                            return out.str();
                        }())[0],
                        "message"),
              "--port needs a value");
}

TEST(CliOptions, HelpListsEveryExitCode) {
    std::ostringstream out, err;
    Environment env;
    ASSERT_EQ(RunVup({"--help"}, out, err, env), kExitSuccess);
    for (const char* code :
         {"    0  ", "    1  ", "    2  ", "    3  ", "    4  ", "    5  ", "    6  ", "  130  "}) {
        EXPECT_NE(out.str().find(code), std::string::npos) << code;
    }
    out.str("");
    ASSERT_EQ(RunVup({"--version"}, out, err, env), kExitSuccess);
    EXPECT_NE(out.str().find("1.8.0.0"), std::string::npos);
    EXPECT_NE(out.str().find("01.80"), std::string::npos);
    // The JSON form gives the target as `status --json` does, for scripts that pin it.
    out.str("");
    ASSERT_EQ(RunVup({"--version", "--json"}, out, err, env), kExitSuccess);
    const auto records = test::ParseJsonLines(out.str());
    ASSERT_EQ(records.size(), 1u) << out.str();
    EXPECT_EQ(test::Str(records[0], "type"), "version");
    EXPECT_EQ(test::Str(records[0], "version"), "1.8.0.0");
    EXPECT_EQ(test::Str(records[0], "target_version"), "1.80");
}

TEST(CliJson, StringsSurviveARoundTrip) {
    const std::string nasty = std::string("a\"b\\c\n\t\x01\x7f") + "\xE6\x97\xA5";  // ends in 日
    const auto rec = test::ParseJsonObject(JsonObject().add("s", nasty).add("n", 3).str());
    ASSERT_TRUE(rec);
    EXPECT_EQ(test::Str(*rec, "s"), nasty);
    EXPECT_EQ(test::Num(*rec, "n"), 3);

    // Bytes that are not UTF-8 (a broken USB product string) still give valid JSON.
    for (const std::string& bad : {std::string("\xFF"), std::string("ab\xC3"),
                                   std::string("\xED\xA0\x80"), std::string("\xC0\xAF")}) {
        const std::string json = JsonString(bad);
        EXPECT_NE(json.find("\\ufffd"), std::string::npos) << json;
        EXPECT_TRUE(test::ParseJsonObject("{\"k\":" + json + "}")) << json;
    }
}

TEST(CliJson, ResultObjectCarriesExitAndExtraFields) {
    VirtualClock clock;
    std::ostringstream out, err;
    {
        Reporter report(Reporter::Style::Json, out, err, clock);
        report.result(6, "wrong version", JsonObject().add("version", "1.70"));
    }
    const auto recs = test::ParseJsonLines(out.str());
    ASSERT_EQ(recs.size(), 1u);
    EXPECT_EQ(test::Str(recs[0], "type"), "result");
    EXPECT_EQ(test::Num(recs[0], "exit"), 6);
    EXPECT_EQ(test::Str(recs[0], "result"), "failure");
    EXPECT_EQ(test::Str(recs[0], "version"), "1.70");
    EXPECT_NE(err.str().find("wrong version"), std::string::npos);
}

TEST(CliReport, DurationsAndTransferLine) {
    EXPECT_EQ(FormatDuration(std::chrono::seconds(65)), "1:05");
    EXPECT_EQ(FormatDuration(std::chrono::seconds(3725)), "1:02:05");
    EXPECT_EQ(FormatDuration(-std::chrono::seconds(3)), "0:00");

    VirtualClock clock;
    std::ostringstream out, err;
    Reporter report(Reporter::Style::Lines, out, err, clock);
    report.phase(Phase::Transfer, "sending");
    clock.advance(std::chrono::seconds(10));
    report.transfer(1, 33, 100, 300);
    EXPECT_NE(out.str().find("block 1 of 33, 100 of 300 bytes, elapsed 0:10, remaining 0:20"),
              std::string::npos)
        << out.str();
}

}  // namespace
}  // namespace qx4t::cli
