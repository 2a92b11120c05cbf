#include "platform/text/Utf8.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

using qx4t::utf8ToWide;
using qx4t::wideToUtf8;

TEST(Utf8, RoundTripsEveryPlane) {
    const std::wstring text = L"TEMLO PLC \u00c4 \u2013 \u4e2d \U0001F50C";
    EXPECT_EQ(wideToUtf8(text), "TEMLO PLC \xc3\x84 \xe2\x80\x93 \xe4\xb8\xad \xf0\x9f\x94\x8c");
    EXPECT_EQ(utf8ToWide(wideToUtf8(text)), text);
}

TEST(Utf8, MalformedBytesBecomeReplacementsWithoutLosingTheRest) {
    struct Case {
        std::string in;
        std::wstring out;
    };
    const Case cases[] = {
        {"A\xff"
         "B",
         L"A\ufffdB"},
        {"A\xc3", L"A\ufffd"},  // cut short at the end
        {"\xc3"
         "A",
         L"\ufffdA"},                                       // continuation missing
        {"\xc0\xaf", L"\ufffd\ufffd"},                      // overlong '/'
        {"\xed\xa0\x80", L"\ufffd\ufffd\ufffd"},            // surrogate
        {"\xf4\x90\x80\x80", L"\ufffd\ufffd\ufffd\ufffd"},  // beyond U+10FFFF
        {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8ToWide(c.in), c.out);
    }
    EXPECT_EQ(wideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xef\xbf\xbd");
}

// Where wide strings are UTF-16 (Windows) a pair stands for one character; half a pair, or a
// pair in the wrong order, is no character on any platform.
TEST(Utf8, HalvesOfASurrogatePairBecomeReplacements) {
    const auto wide = [](std::initializer_list<unsigned> units) {
        std::wstring s;
        for (const unsigned u : units)
            s.push_back(static_cast<wchar_t>(u));
        return s;
    };
    EXPECT_EQ(wideToUtf8(wide({0xD83D, 'A'})),
              "\xef\xbf\xbd"
              "A");
    EXPECT_EQ(wideToUtf8(wide({'A', 0xDD0C})), "A\xef\xbf\xbd");
    EXPECT_EQ(wideToUtf8(wide({0xDD0C, 0xD83D})), "\xef\xbf\xbd\xef\xbf\xbd");
    EXPECT_EQ(wideToUtf8(wide({0xD83D})), "\xef\xbf\xbd") << "cut short at the end";
}

}  // namespace
