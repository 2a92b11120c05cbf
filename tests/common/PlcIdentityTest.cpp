#include "common/PlcIdentity.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx4t {
namespace {

PortFacts Usb(std::string name, std::string serial, std::string path, std::string device = {}) {
    return {std::move(name),
            serial.empty() ? "" : "usb-serial:" + serial,
            "usb-path:" + std::move(path),
            {},
            std::move(device)};
}
PortFacts Virtual(std::string name, std::string id) {
    return {std::move(name), {}, {}, "virtual:" + std::move(id), {}};
}

// One table of the situations a PLC meets: the identity chosen at the first status read, and
// what a port found later (by the device number of the descriptor opened) counts as.
TEST(PlcIdentity, ChoiceAndFollowing) {
    struct Case {
        const char* name;
        std::vector<PortFacts> listed;  // at the first status read; the PLC is the first
        IdentityKind kind;
        const char* key;
        bool unique;
        PortFacts later;  // the port opened for a later step
        PortMatch match;
    };
    const Case cases[] = {
        {"unique serial, renamed after the restart",
         {Usb("ttyACM0", "S1", "1-1:1.0"), Usb("ttyACM1", "S2", "1-2:1.0")},
         IdentityKind::Serial,
         "usb-serial:S1",
         true,
         Usb("ttyACM3", "S1", "1-1:1.0"),
         PortMatch::Same},
        {"unique serial seen at another USB path",
         {Usb("ttyACM0", "S1", "1-1:1.0")},
         IdentityKind::Serial,
         "usb-serial:S1",
         true,
         Usb("ttyACM0", "S1", "1-4:1.0"),
         PortMatch::Ambiguous},
        {"shared serial falls back to the path",
         {Usb("ttyUSB0", "0001", "1-1:1.0"), Usb("ttyUSB1", "0001", "1-2:1.0")},
         IdentityKind::Path,
         "usb-path:1-1:1.0",
         true,
         Usb("ttyUSB1", "0001", "1-2:1.0"),
         PortMatch::Other},
        {"a path keeps a PLC without serial number across names",
         {Usb("ttyUSB0", "", "1-1:1.0")},
         IdentityKind::Path,
         "usb-path:1-1:1.0",
         true,
         Usb("ttyUSB2", "", "1-1:1.0"),
         PortMatch::Same},
        {"another device in the same socket",
         {Usb("ttyUSB0", "S1", "1-1:1.0"), {"x", "usb-serial:S1", {}, {}, {}}},
         IdentityKind::Path,
         "usb-path:1-1:1.0",
         true,
         Usb("ttyUSB0", "S9", "1-1:1.0"),
         PortMatch::Other},
        {"registry id, swapped for another simulator on the name",
         {Virtual("pts/4", "a"), Virtual("pts/5", "b")},
         IdentityKind::Virtual,
         "virtual:a",
         true,
         Virtual("pts/4", "b"),
         PortMatch::Other},
        {"two simulators with one id: the name only, not unique",
         {Virtual("pts/4", "X"), Virtual("pts/5", "X")},
         IdentityKind::Name,
         "port:pts/4",
         false,
         Virtual("pts/4", "X"),
         PortMatch::Same},
        {"a plain port by name; renamed is another",
         {{"ttyS0", {}, {}, {}, "4:64"}},
         IdentityKind::Name,
         "port:ttyS0",
         true,
         {"ttyS1", {}, {}, {}, "4:65"},
         PortMatch::Other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PlcIdentity id = ChooseIdentity(c.listed, 0);
        EXPECT_EQ(id.kind, c.kind);
        EXPECT_EQ(id.key, c.key);
        EXPECT_EQ(id.unique, c.unique);
        EXPECT_EQ(MatchPlc(id, c.listed[0]), PortMatch::Same);
        EXPECT_EQ(MatchPlc(id, c.later), c.match);
    }
}

TEST(PlcIdentity, NotesUnderEveryKeyClearedOnlyWhereNotShared) {
    const std::vector<PortFacts> listed = {Usb("serial/by-id/plc", "0001", "1-1:1.0", "166:0"),
                                           Usb("ttyACM1", "0001", "1-2:1.0", "166:1")};
    const PlcIdentity id = ChooseIdentity(listed, 0);
    EXPECT_EQ(NoteKeys(id), (std::vector<std::string>{"usb-path:1-1:1.0", "usb-serial:0001",
                                                      "device:166:0", "port:serial/by-id/plc"}));
    EXPECT_EQ(OwnNoteKeys(id), (std::vector<std::string>{"usb-path:1-1:1.0", "device:166:0",
                                                         "port:serial/by-id/plc"}));
}

TEST(PlcIdentity, VerifiedOnlyForTheSamePlcAndModelAtTheTarget) {
    struct Case {
        PortMatch match;
        const wchar_t* model;
        const wchar_t* version;
        RestartVerdict verdict;
    };
    for (const Case& c :
         std::vector<Case>{{PortMatch::Same, L"B1", L"0180", RestartVerdict::Verified},
                           {PortMatch::Same, L"B1", L"0175", RestartVerdict::WrongVersion},
                           {PortMatch::Same, L"B0", L"0180", RestartVerdict::OtherPlc},
                           {PortMatch::Other, L"B1", L"0180", RestartVerdict::OtherPlc},
                           {PortMatch::Ambiguous, L"B1", L"0180", RestartVerdict::OtherPlc}}) {
        EXPECT_EQ(JudgeRestartAnswer(c.match, L"B1", c.model, c.version, L"01.80"), c.verdict)
            << static_cast<int>(c.match) << " " << c.model;
    }
    EXPECT_EQ(IdentityKindName(IdentityKind::Virtual), "virtual");
}

}  // namespace
}  // namespace qx4t
