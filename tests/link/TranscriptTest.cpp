// The transcript file: what the writer puts down is what the reader gives back, and a damaged
// file is refused with the line that is wrong rather than replayed as something else.
#include "link/Transcript.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace qx4t::link {
namespace {

using namespace std::chrono_literals;

TEST(Transcript, WhatIsWrittenReadsBack) {
    const std::string path = ::testing::TempDir() + "qx4t-transcript-roundtrip.log";
    VirtualClock clock;
    TranscriptWriter writer;
    ASSERT_TRUE(writer.open(path, clock, 4000000123u));
    writer.line('>', std::string("%EE#\r", 5));
    clock.advance(1250ms);
    writer.line('<', std::string("\x00\xFF\x7F", 3));
    clock.advance(5000ms);
    writer.line('>', "");
    ASSERT_TRUE(writer.close());

    std::ifstream in(path);
    std::string error;
    const auto read = ReadTranscript(in, error);
    in.close();
    std::remove(path.c_str());
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->fillerSeed, std::optional<unsigned>(4000000123u));
    ASSERT_EQ(read->exchanges.size(), 3u);
    EXPECT_EQ(read->exchanges[0].direction, '>');
    EXPECT_EQ(read->exchanges[0].bytes, std::string("%EE#\r", 5));
    EXPECT_EQ(read->exchanges[1].direction, '<');
    EXPECT_EQ(read->exchanges[1].bytes, std::string("\x00\xFF\x7F", 3));
    EXPECT_DOUBLE_EQ(read->exchanges[1].seconds, 1.25);
    EXPECT_TRUE(read->exchanges[2].bytes.empty());
    EXPECT_DOUBLE_EQ(read->exchanges[2].seconds, 6.25);
}

TEST(Transcript, ADamagedFileIsRefusedWithItsLine) {
    const std::string header = "# qx4t-vup transcript, started x, filler seed 7; ...\n";
    struct Case {
        std::string text;
        std::string error;
    };
    for (const Case& c : {
             Case{"", "line 0: empty"},
             Case{"some other file\n", "line 1: expected seconds"},
             Case{"# a comment first\n", "line 1: not a transcript"},
             Case{header + "     0.001 > 25 4\n", "line 2: '4' is not a byte in hex"},
             Case{header + "     0.001 > 25 GG\n", "line 2: 'GG' is not a byte in hex"},
             Case{header + "     0.001 ? 25\n", "line 2: expected seconds"},
             Case{"# qx4t-vup transcript, filler seed x\n", "line 1: unreadable filler seed"},
         }) {
        std::istringstream in(c.text);
        std::string error;
        EXPECT_FALSE(ReadTranscript(in, error)) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.text << " gave: " << error;
    }
    // A transcript from before the seed was recorded still reads; it just has none.
    std::istringstream old("# qx4t-vup transcript, started x; seconds\n     0.000 > 0D\n");
    std::string error;
    const auto read = ReadTranscript(old, error);
    ASSERT_TRUE(read) << error;
    EXPECT_FALSE(read->fillerSeed);
    ASSERT_EQ(read->exchanges.size(), 1u);
    EXPECT_EQ(read->exchanges[0].bytes, "\r");
}

}  // namespace
}  // namespace qx4t::link
