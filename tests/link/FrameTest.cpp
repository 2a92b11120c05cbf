#include "link/Frame.h"

#include <gtest/gtest.h>

#include <string>

#include "link/ResultCodes.h"

namespace {

using qx4t::link::CheckBCC;
using qx4t::link::kBadBcc;
using qx4t::link::kOk;
using qx4t::link::MakeBCC;
using qx4t::link::MakeFrame;

int check(const std::string& reply) {
    return CheckBCC(reinterpret_cast<const unsigned char*>(reply.data()), reply.size());
}

TEST(Frame, RequestsAreByteForByteWhatThePlcExpects) {
    EXPECT_EQ(MakeFrame("%EE#RMP"), "%EE#RMP49\r");
    EXPECT_EQ(MakeFrame("%EE#EX00RT00"), "%EE#EX00RT001D\r");
    EXPECT_EQ(MakeFrame("%EE#EX00RT00").size(), 15u);
    // A continued frame: the BCC covers the text only, then '&' and CR.
    EXPECT_EQ(MakeFrame("%EE#RMP", true), "%EE#RMP49&\r");
}

struct BccCase {
    const char* name;
    std::string input;
    std::string expected;
};

TEST(Frame, MakeBccDecidesCoverageByHowTheStringEnds) {
    const BccCase cases[] = {
        {"received continued frame", "%EE#RMP49&\r", "49&\r"},
        {"received final frame", "%EE#RMP49\r", "49\r"},
        {"text with continuation marker", "%EE#RMP**&", "49&\r"},
        {"plain text", "%EE#RMP", "49\r"},
        {"single low byte gets a leading zero", "\x05", "05\r"},
        {"empty text", "", "00\r"},
        // Too short for what the ending asks to leave out: nothing is covered, nothing is read
        // outside the string.
        {"lone CR", "\r", "00\r"},
        {"lone ampersand", "&", "00&\r"},
        {"ampersand CR only", "&\r", "00&\r"},
        {"one char and CR", "A\r", "00\r"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeBCC(c.input), c.expected) << c.name;
    }
}

TEST(Frame, CheckBccAcceptsOnlyExactUpperCaseDigits) {
    EXPECT_EQ(check("%EE#RMP49\r"), kOk);
    EXPECT_EQ(check("%EE#RMP49&\r"), kOk) << "continued reply checked before the '&'";
    EXPECT_EQ(check("%EE#RMP48\r"), kBadBcc);
    // A BCC with a letter in it, so that lower case can differ.
    const std::string text = "%EE$RMP";
    const std::string upper = MakeFrame(text);
    ASSERT_EQ(upper, "%EE$RMP4E\r");
    std::string lower = upper;
    for (std::size_t i = text.size(); i < lower.size(); ++i) {
        if (lower[i] >= 'A' && lower[i] <= 'F')
            lower[i] = static_cast<char>(lower[i] - 'A' + 'a');
    }
    EXPECT_EQ(check(upper), kOk);
    EXPECT_EQ(check(lower), kBadBcc);
}

TEST(Frame, CheckBccStaysInsideShortAndZeroFilledReplies) {
    EXPECT_EQ(CheckBCC(nullptr, 0), kBadBcc);
    for (const std::string& reply :
         {std::string(), std::string("\r"), std::string("4\r"), std::string("&\r"),
          std::string("9&\r"), std::string(3, '\0'), std::string("\0\0&\r", 4)}) {
        EXPECT_EQ(check(reply), kBadBcc) << reply.size();
    }
    // The shortest frame that can carry a BCC: an empty text's "00" and CR.
    EXPECT_EQ(check("00\r"), kOk);
    // A zero byte inside ends the text early, and the check fails rather than reading past it.
    EXPECT_EQ(check(std::string("%E\0#RMP49\r", 10)), kBadBcc);
}

}  // namespace
