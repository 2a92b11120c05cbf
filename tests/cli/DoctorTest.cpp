// qx4t-vup doctor on machines stated as facts: what each finds, the fix it names, its exit code
// and its JSON records; and the first finding at the end of a port that will not open.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "JsonLines.h"
#include "cli/Doctor.h"
#include "cli/ExitCodes.h"
#include "cli/Vup.h"
#include "platform/PendingUpdates.h"
#include "tests/support/TempFolder.h"

namespace qx4t::cli {
namespace {

using State = FolderFacts::State;

// Ana at the seat, in dialout, a PLC on ttyACM0 that the udev rule has marked: nothing wrong.
MachineFacts FineMachine() {
    MachineFacts m;
    m.viewer = {true, true, "ana", 1000, 1000, {1000, 20}, {1000, 20}};
    m.seatUser = 1000;
    m.modemManagerRunning = false;
    m.brltty = MachineFacts::Brltty{false, false};
    m.udevRule = "/usr/lib/udev/rules.d/70-qx4t-plc.rules";
    m.stateFolder = {State::Usable, "/home/ana/.local/state/qx4t"};
    m.notesStore = {NotesStoreFacts::Kind::Machine, "/var/lib/qx4t-vuptool/notes", {}};
    m.registry = FolderFacts{State::Usable, "/run/user/1000/qx4t/ports"};
    m.notes = std::vector<NoteFacts>{};
    return m;
}

DeviceFacts FineDevice(const std::string& port) {
    DeviceFacts d;
    d.kind = DeviceFacts::Kind::Serial;
    d.path = "/dev/" + port;
    d.device = "166:0";
    d.node = NodeFacts{0, 20, 0660, "root", "dialout", std::vector<AclEntry>{}, true};
    d.udev = ports::UdevRecord{
        true, {{"QX4T_DESCRIPTION", "TEMLO PLC"}, {"ID_MM_DEVICE_IGNORE", "1"}}, {"uaccess"}, {}};
    return d;
}

struct Machine {
    MachineFacts machine = FineMachine();
    DeviceFacts device = FineDevice("ttyACM0");
};

Environment EnvironmentOf(const Machine& m, std::vector<ports::PortInfo> listed = {}) {
    Environment env;
    env.stateFolder = "/home/ana/.local/state/qx4t";
    env.listPorts = [listed] { return listed; };
    env.doctor.machine = [m](const PendingUpdates&) { return m.machine; };
    env.doctor.device = [m](const std::string& port) {
        DeviceFacts d = m.device;
        d.path = "/dev/" + port;
        return d;
    };
    return env;
}

struct Row {
    const char* name;
    std::function<void(Machine&)> change;
    int exitCode;
    // The first finding that is not "ok": its check, state, and words of its finding and fix.
    const char* check;
    const char* state;
    const char* finding;
    const char* fix;
    std::vector<std::string> args = {"doctor", "--port", "ttyACM0", "--json"};
};

TEST(Doctor, FactsGiveFindingsAndTheExitCode) {
    const std::vector<Row> rows = {
        {"all fine", [](Machine&) {}, kExitSuccess, "", "", "", ""},
        {"group not in this login",
         [](Machine& m) {
             m.machine.viewer.loginGroups = {1000};
             m.device.node->mayOpen = false;
             m.machine.seatUser = 1001;
         },
         kExitNoPort, "access", "problem",
         "ana is in the group 'dialout' that owns /dev/ttyACM0, but this login is not",
         "Log out and in again (or run 'newgrp dialout' in this terminal)"},
        {"ModemManager without the ignore mark",
         [](Machine& m) {
             m.machine.modemManagerRunning = true;
             m.device.udev->properties.erase("ID_MM_DEVICE_IGNORE");
         },
         kExitNoPort, "modemmanager", "problem",
         "ModemManager is running and may probe /dev/ttyACM0",
         "so that the udev rule /usr/lib/udev/rules.d/70-qx4t-plc.rules marks it"},
        {"brltty claims the bridge",
         [](Machine& m) {
             m.machine.brltty = MachineFacts::Brltty{true, true};
             m.device.udev->usbProperties["BRLTTY_BRAILLE_DRIVER"] = "bm";
         },
         kExitNoPort, "brltty", "problem", "brltty claims /dev/ttyACM0 (BRLTTY_BRAILLE_DRIVER=bm)",
         "'sudo apt-get remove brltty'"},
        {"held by a program",
         [](Machine& m) {
             m.device.heldBy = "picocom (pid 4242)";
             m.device.holderPids = {4242};
         },
         kExitNoPort, "holders", "problem", "/dev/ttyACM0 is held by picocom (pid 4242)",
         "'kill 4242'"},
        {"no such port", [](Machine& m) { m.device.kind = DeviceFacts::Kind::Missing; },
         kExitNoPort, "port", "problem", "/dev/ttyACM0 does not exist", "'qx4t-vup ports --all'"},
        {"not a serial device", [](Machine& m) { m.device.kind = DeviceFacts::Kind::NotSerial; },
         kExitNoPort, "port", "problem", "/dev/ttyACM0 is a device but not a serial port",
         "Name a serial port"},
        {"root without SUDO_USER",
         [](Machine& m) {
             m.machine.root = true;
             m.machine.viewer = {false, false, "root", 0, 0, {}, {}};
         },
         kExitSuccess, "user", "cannot_tell", "run as root without SUDO_USER",
         "as the user who does the version-up"},
        {"root speaks for SUDO_USER, who is neither at the seat nor in the group",
         [](Machine& m) {
             m.machine.root = true;
             m.machine.viewer = {true, false, "ana", 1000, 1000, {1000}, {}};
             m.machine.seatUser = 1001;
             m.device.node->acl = std::vector<AclEntry>{{AclEntry::Tag::User, 1001, true}};
         },
         kExitNoPort, "access", "problem",
         "given to the user at the computer's seat (uaccess), and ana is not that user",
         "'sudo usermod -aG dialout ana', then log out and in again"},
        {"no group may open it, and no uaccess tag",
         [](Machine& m) {
             m.device.node = NodeFacts{0, 0, 0600, "root", "root", std::vector<AclEntry>{}, false};
             m.device.udev->tags.clear();
         },
         kExitNoPort, "access", "problem",
         "no group may open /dev/ttyACM0 (owner root, group root, mode 0600)",
         "Install the package qx4t-udev"},
        {"another account's pseudo-terminal",
         [](Machine& m) {
             m.device.pseudoTerminal = true;
             m.device.node = NodeFacts{0, 5, 0620, "root", "tty", std::vector<AclEntry>{}, false};
             m.device.udev->found = false;  // nor are udev, ModemManager or brltty asked
         },
         kExitNoPort, "access", "problem",
         "/dev/ttyACM0 is a pseudo-terminal of root: only that account may open it",
         "Start the simulator (qx4t-plcsim) as ana."},
        {"a note stands",
         [](Machine& m) {
             m.machine.notes = std::vector<NoteFacts>{
                 {"usb-serial:A1B2/00", "ttyACM0", std::chrono::hours(3), {}}};
         },
         kExitNoPort, "notes", "problem",
         "an update of the PLC usb-serial:A1B2/00 (last on ttyACM0) was begun 3 h ago",
         "Do not switch that PLC off. Attach it and run 'qx4t-vup update --port ttyACM0'"},
        {"a damaged note cannot rule one out",
         [](Machine& m) {
             m.machine.notes = std::vector<NoteFacts>{
                 {"", "", std::nullopt,
                  "the note /n/plc-1.note is larger than a note (9000 bytes)"}};
         },
         kExitNoPort, "notes", "problem", "(9000 bytes), so it cannot rule out an update begun",
         "remove it"},
        {"the machine keeps no notes for every account",
         [](Machine& m) { m.machine.notesStore.kind = NotesStoreFacts::Kind::AccountOnly; },
         kExitSuccess, "notes-folder", "cannot_tell", "notes are kept for this account only",
         "Install the qx4t-udev package"},
        {"the folder of notes is refused",
         [](Machine& m) {
             m.machine.notesStore = {NotesStoreFacts::Kind::Refused, "/var/lib/qx4t-vuptool/notes",
                                     "the folder of notes /var/lib/qx4t-vuptool/notes is a "
                                     "symbolic link; it is not used"};
         },
         kExitNoPort, "notes-folder", "problem", "is a symbolic link",
         "sudo install -d -m 1777 -o root -g root /var/lib/qx4t-vuptool/notes"},
        {"no PLC without --port",
         [](Machine&) {},
         kExitNoPort,
         "plc",
         "problem",
         "no PLC found",
         "'qx4t-vup doctor --port NAME'",
         {"doctor", "--json"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Machine m;
        row.change(m);
        Environment env = EnvironmentOf(m);
        std::ostringstream out, err;
        EXPECT_EQ(RunVup(row.args, out, err, env), row.exitCode) << err.str();
        const auto records = test::ParseJsonLines(out.str());
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(test::Str(records.back(), "type"), "result");
        EXPECT_EQ(test::Num(records.back(), "exit"), row.exitCode);
        const test::JsonRecord* first = nullptr;
        for (const auto& r : records) {
            if (test::Str(r, "type") == "check" && test::Str(r, "state") != "ok" && !first)
                first = &r;
        }
        if (row.check[0] == '\0') {
            EXPECT_EQ(first, nullptr) << test::Str(*first, "finding");
            continue;
        }
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(test::Str(*first, "check"), row.check);
        EXPECT_EQ(test::Str(*first, "state"), row.state);
        EXPECT_NE(test::Str(*first, "finding").find(row.finding), std::string::npos)
            << test::Str(*first, "finding");
        EXPECT_NE(test::Str(*first, "fix").find(row.fix), std::string::npos)
            << test::Str(*first, "fix");
        // "cannot tell" warns, and leaves the exit code to the problems.
        EXPECT_EQ(err.str().find("could not tell") != std::string::npos,
                  row.exitCode == kExitSuccess && test::Str(*first, "state") == "cannot_tell")
            << err.str();
    }
}

TEST(Doctor, EveryCheckHasAStableIdInOrder) {
    Machine m;
    Environment env =
        EnvironmentOf(m, {{"ttyACM0", "TEMLO PLC", "cdc_acm"}, {"ttyS4", "16550A", "serial"}});
    std::ostringstream out, err;
    ASSERT_EQ(RunVup({"doctor", "--json"}, out, err, env), kExitSuccess) << err.str();
    std::vector<std::string> checks;
    for (const auto& r : test::ParseJsonLines(out.str())) {
        if (test::Str(r, "type") != "check")
            continue;
        checks.push_back(test::Str(r, "check") +
                         (test::Str(r, "port").empty() ? "" : "@" + test::Str(r, "port")));
    }
    // Only the PLC's port is checked; the machine's checks follow the port's.
    EXPECT_EQ(checks, (std::vector<std::string>{"user", "port@ttyACM0", "access@ttyACM0",
                                                "udev-rule@ttyACM0", "modemmanager@ttyACM0",
                                                "brltty@ttyACM0", "holders@ttyACM0", "state-folder",
                                                "notes-folder", "notes", "registry"}));
    // Where the system has no accounts' access, udev, ModemManager, brltty or registry (Windows),
    // their checks are left out; a busy port is still a problem, whoever holds it.
    m.machine.accounts = false;
    m.machine.modemManagerRunning.reset();
    m.machine.brltty.reset();
    m.machine.udevRule.reset();
    m.machine.registry.reset();
    m.device.node.reset();
    m.device.udev.reset();
    m.device.busyUnnamed = true;
    env = EnvironmentOf(m);
    out.str("");
    EXPECT_EQ(RunVup({"doctor", "--port", "COM3", "--json"}, out, err, env), kExitNoPort);
    checks.clear();
    for (const auto& r : test::ParseJsonLines(out.str())) {
        if (test::Str(r, "type") == "check")
            checks.push_back(test::Str(r, "check") + ":" + test::Str(r, "state"));
    }
    EXPECT_EQ(checks, (std::vector<std::string>{"port:ok", "holders:problem", "state-folder:ok",
                                                "notes-folder:ok", "notes:ok"}));
    m = Machine{};
    env = EnvironmentOf(m);

    // The plain form: one line a check, the fix on the same line.
    out.str("");
    EXPECT_EQ(RunVup({"doctor", "--port", "ttyACM0"}, out, err, env), kExitSuccess);
    EXPECT_NE(out.str().find("ok          access       ttyACM0: ana may open /dev/ttyACM0 "
                             "through the group 'dialout' (owner root, group dialout, mode "
                             "0660).\n"),
              std::string::npos)
        << out.str();
}

TEST(Doctor, APortThatWillNotOpenEndsWithTheFirstFinding) {
    Machine m;
    m.machine.viewer.loginGroups = {1000};
    m.device.node->mayOpen = false;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"status", "--port", "ttyACM0"},
          std::vector<std::string>{"update", "--port", "ttyACM0", "--yes"}}) {
        SCOPED_TRACE(args.front());
        Environment env = EnvironmentOf(m);
        env.accessAdvice = [](const std::string& path) { return "permission denied on " + path; };
        std::ostringstream out, err;
        EXPECT_EQ(RunVup(args, out, err, env), kExitNoPort);
        EXPECT_NE(err.str().find("permission denied on /dev/ttyACM0. The doctor finds: ana is in "
                                 "the group 'dialout' that owns /dev/ttyACM0, but this login is "
                                 "not"),
                  std::string::npos)
            << err.str();
        EXPECT_NE(err.str().find("Fix: Log out and in again (or run 'newgrp dialout' in this "
                                 "terminal), then try again. 'qx4t-vup doctor --port ttyACM0' "
                                 "shows every check"),
                  std::string::npos)
            << err.str();
    }
}

TEST(Doctor, NotesAreReadFromTheNoteOfUnverifiedUpdates) {
    const std::string folder = test::MakeTempFolder("qx4t-doctor-notes");
    ASSERT_FALSE(folder.empty());
    PendingUpdates notes(folder);
    ASSERT_TRUE(notes.mark("usb-serial:A1B2/00", "ttyACM0").ok);
    MachineFacts facts;
    ReadNotes(notes, facts);
    EXPECT_EQ(facts.notesStore.kind, NotesStoreFacts::Kind::Machine);
    ASSERT_TRUE(facts.notes.has_value()) << facts.notesError;
    ASSERT_EQ(facts.notes->size(), 1u);
    EXPECT_EQ(facts.notes->front().identity, "usb-serial:A1B2/00");
    EXPECT_EQ(facts.notes->front().port, "ttyACM0");
    EXPECT_TRUE(facts.notes->front().age.has_value());
    // A note that cannot be read is a problem of its own, never "no note".
    std::filesystem::remove(notes.file());
    std::filesystem::create_directory(notes.file());
    ReadNotes(notes, facts);
    EXPECT_FALSE(facts.notes.has_value());
    EXPECT_NE(facts.notesError.find(notes.file()), std::string::npos) << facts.notesError;
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qx4t::cli
