#include <gtest/gtest.h>

#include "platform/serial/LineSettings.h"

namespace qx4t::serial::detail {
namespace {

termios rawAt9600() {
    termios t{};
    return wantedLineSettings(t);
}

TEST(LineSettings, WantedSettingsAreTheLinesOwn) {
    termios t = rawAt9600();
    EXPECT_EQ(cfgetispeed(&t), B9600);
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_EQ(t.c_cflag & CSIZE, CS8);
    EXPECT_TRUE(t.c_cflag & PARENB);
    EXPECT_TRUE(t.c_cflag & PARODD);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

TEST(LineSettings, AnyDifferenceThatMattersCallsForAWrite) {
    const termios want = rawAt9600();
    EXPECT_TRUE(lineSettingsMatch(want, want));

    struct Case {
        const char* what;
        void (*spoil)(termios&);
    };
    const Case cases[] = {
        {"baud", [](termios& t) { cfsetspeed(&t, B38400); }},
        {"even parity", [](termios& t) { t.c_cflag &= ~PARODD; }},
        {"no parity", [](termios& t) { t.c_cflag &= ~PARENB; }},
        {"two stop bits", [](termios& t) { t.c_cflag |= CSTOPB; }},
        {"7 bits", [](termios& t) { t.c_cflag = (t.c_cflag & ~CSIZE) | CS7; }},
        {"hardware flow control", [](termios& t) { t.c_cflag |= CRTSCTS; }},
        {"xon/xoff", [](termios& t) { t.c_iflag |= IXON; }},
        {"cr to nl", [](termios& t) { t.c_iflag |= ICRNL; }},
        {"canonical", [](termios& t) { t.c_lflag |= ICANON; }},
        {"echo", [](termios& t) { t.c_lflag |= ECHO; }},
        {"output processing", [](termios& t) { t.c_oflag |= OPOST; }},
        {"vmin", [](termios& t) { t.c_cc[VMIN] = 1; }},
        {"vtime", [](termios& t) { t.c_cc[VTIME] = 5; }},
    };
    for (const auto& c : cases) {
        termios have = want;
        c.spoil(have);
        EXPECT_FALSE(lineSettingsMatch(have, want)) << c.what;
        // And fixing it again gives exactly the wanted state.
        EXPECT_TRUE(lineSettingsMatch(wantedLineSettings(have), want)) << c.what;
    }

    // A flag the device cannot hold is left out of the comparison, and only that one.
    termios noParity = want;
    noParity.c_cflag &= ~PARENB;
    EXPECT_TRUE(lineSettingsMatch(noParity, want, PARENB));
    noParity.c_cflag &= ~PARODD;
    EXPECT_FALSE(lineSettingsMatch(noParity, want, PARENB));

    // Characters nobody looks at in raw mode do not call for a write.
    termios have = want;
    have.c_cc[VINTR] = 0x7f;
    EXPECT_TRUE(lineSettingsMatch(have, want));
}

}  // namespace
}  // namespace qx4t::serial::detail
