// --port on Windows: a COM port's device path stands for its name, as "/dev/ttyACM0" does on
// Linux, any spelling of a COM name for its one spelling, and the bare prefix names no port.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/ExitCodes.h"
#include "cli/Options.h"
#include "cli/Vup.h"

namespace qx4t::cli {
namespace {

TEST(CliOptionsOnWindows, ADevicePathStandsForItsPortName) {
    const auto full = ParseOptions({"update", "--port", "\\\\.\\COM12", "--yes"});
    ASSERT_TRUE(full.ok()) << full.error;
    EXPECT_EQ(full.options.port, "COM12");
    const auto bare = ParseOptions({"status", "--port=COM3"});
    ASSERT_TRUE(bare.ok()) << bare.error;
    EXPECT_EQ(bare.options.port, "COM3");
    // Every spelling of a COM name is the one discovery lists.
    for (const char* typed : {"com05", "\\\\.\\com5", "COM5:"})
        EXPECT_EQ(ParseOptions({"status", "--port", typed}).options.port, "COM5") << typed;

    std::ostringstream out, err;
    Environment env;
    EXPECT_EQ(RunVup({"update", "--port", "\\\\.\\"}, out, err, env), kExitUsage);
    EXPECT_NE(err.str().find("--port needs a port name"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace qx4t::cli
