#pragma once
// What `qx4t-vup doctor` knows of the machine and of a port, as plain facts. The real machine
// fills them (DoctorMachine.cpp on Linux, DoctorMachineWin32.cpp on Windows); tests write them
// by hand. A fact left empty (nullopt) is one the platform does not have: its check is left
// out, not reported.
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/PendingUpdates.h"
#include "platform/ports/PortEnumerator.h"

namespace qx4t::cli {

// The account whose use of the port the checks are about.
struct DoctorViewer {
    bool known = true;      // false: run as root with no SUDO_USER to say whose view to take
    bool thisLogin = true;  // the process's own account (not root speaking for SUDO_USER)
    std::string name;
    long uid = -1;
    long gid = -1;                  // the primary group
    std::vector<long> memberOf;     // groups in the group database
    std::vector<long> loginGroups;  // this process's groups; only for thisLogin
};

struct AclEntry {
    enum class Tag { User, Group, Mask };
    Tag tag = Tag::User;
    long id = -1;
    bool readWrite = false;
};

// A device node's owner, mode and access ACL.
struct NodeFacts {
    long uid = -1;
    long gid = -1;
    unsigned mode = 0;  // permission bits
    std::string owner;
    std::string group;
    // The named entries of the access ACL; empty: none; nullopt: it could not be read.
    std::optional<std::vector<AclEntry>> acl;
    // The kernel's own answer for this process (access for reading and writing); only asked
    // when the viewer is this login.
    std::optional<bool> mayOpen;
};

struct DeviceFacts {
    enum class Kind { Missing, NotDevice, NotSerial, Serial };
    Kind kind = Kind::Missing;
    std::string path;    // as opened: /dev/ttyACM0
    std::string device;  // "<major>:<minor>", where the platform has one
    bool pseudoTerminal = false;
    std::optional<NodeFacts> node;
    // The udev database's record (/run/udev/data/c<major>:<minor>); nullopt: no udev here.
    std::optional<ports::UdevRecord> udev;
    // The programs that have it open as the system names them ("picocom (pid 4242)"), their
    // pids, and whether some processes could not be looked into.
    std::string heldBy;
    std::vector<long> holderPids;
    bool holdersHidden = false;
    // The system says it is in use without saying by whom.
    bool busyUnnamed = false;
};

// A folder the tool writes to.
struct FolderFacts {
    enum class State { Usable, Missing, NotAFolder, NotWritable, NotOwn, NoPath };
    State state = State::NoPath;
    std::string path;
    // Missing: the nearest folder above it that exists can take it.
    bool canBeMade = false;
};

// A note of an update begun and not yet verified.
struct NoteFacts {
    std::string identity;
    std::string port;                         // the name it had, when known
    std::optional<std::chrono::seconds> age;  // nullopt: not known
    // Set for a file that cannot rule a note out: the file and why (the rest is not known).
    std::string problem;
};

// Where the notes are kept: the machine's folder, seen by every account; the account's own
// file alone, where the machine has no such folder; or nowhere, the machine's folder being
// refused as unsafe.
struct NotesStoreFacts {
    enum class Kind { Machine, AccountOnly, Refused };
    Kind kind = Kind::Machine;
    std::string folder;  // the machine's folder ("" where the platform has none)
    std::string why;     // for Refused
};

struct MachineFacts {
    // Whether this system gives accounts access to ports one by one (not Windows): the check
    // of whose view is taken and of access are left out without.
    bool accounts = true;
    bool root = false;
    DoctorViewer viewer;
    // The account of the active session at the computer's seat; nullopt: cannot tell.
    std::optional<long> seatUser;
    std::optional<bool> modemManagerRunning;
    struct Brltty {
        bool installed = false;
        bool running = false;
    };
    std::optional<Brltty> brltty;
    // The installed udev rule for the PLC ("" when none).
    std::optional<std::string> udevRule;
    FolderFacts stateFolder;  // run logs
    NotesStoreFacts notesStore;
    // The simulated-port registry and the ports registered in it.
    std::optional<FolderFacts> registry;
    int registeredPorts = 0;
    // nullopt: the note could not be read (notesError says why).
    std::optional<std::vector<NoteFacts>> notes;
    std::string notesError;
};

// How the doctor looks at the machine: the facts of the machine (the notes read from `notes`)
// and of one port by its name as discovery lists it.
struct DoctorLookups {
    std::function<MachineFacts(const PendingUpdates& notes)> machine;
    std::function<DeviceFacts(const std::string& portName)> device;
};

// The one place the notes are read from, for every platform.
void ReadNotes(const PendingUpdates& notes, MachineFacts& facts);

// The real machine's look-ups (DoctorMachine.cpp, DoctorMachineWin32.cpp).
[[nodiscard]] DoctorLookups MachineDoctorLookups();

}  // namespace qx4t::cli
