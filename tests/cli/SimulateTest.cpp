// One real run: qx4t-vup update --simulate over a pseudo-terminal, on the machine's clock, with
// the termios port and the simulator serving on its own thread. It takes the designed waits
// (about 13 s), so it is the only test of its kind.
#include <gtest/gtest.h>

#include <sstream>

#include "JsonLines.h"
#include "cli/ExitCodes.h"
#include "cli/Machine.h"
#include "platform/Quit.h"

namespace qx4t::cli {
namespace {

TEST(CliSimulate, UpdateOverAPseudoTerminalReachesTheTargetVersion) {
    quit::install();
    quit::reset();
    Environment env = MachineEnvironment();
    env.progressInPlace = false;
    env.ask = [](const std::string& question) -> std::optional<bool> {
        ADD_FAILURE() << "unexpected question: " << question;
        return std::nullopt;
    };
    std::ostringstream out, err;
    const int code = RunVup({"update", "--simulate", "--yes", "--json"}, out, err, env);
    ASSERT_EQ(code, kExitSuccess) << err.str() << out.str();

    const auto records = test::ParseJsonLines(out.str());
    ASSERT_FALSE(records.empty());
    const auto& result = records.back();
    EXPECT_EQ(test::Str(result, "type"), "result");
    EXPECT_EQ(test::Str(result, "version_raw"), "0180");
    EXPECT_EQ(test::Str(result, "port").rfind("pts/", 0), 0u) << test::Str(result, "port");
    int blocks = 0;
    for (const auto& r : records) {
        if (test::Str(r, "type") == "progress" && test::Str(r, "phase") == "transfer")
            ++blocks;
    }
    EXPECT_EQ(blocks, 34);
}

}  // namespace
}  // namespace qx4t::cli
