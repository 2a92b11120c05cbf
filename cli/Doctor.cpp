#include "cli/Doctor.h"

#include <algorithm>
#include <cstdio>

#include "cli/ExitCodes.h"
#include "link/PortList.h"
#include "platform/PendingUpdates.h"
#include "platform/text/Utf8.h"

namespace qx4t::cli {
namespace {

constexpr const char* kRootFix = "Run 'qx4t-vup doctor' as the user who does the version-up.";
constexpr const char* kReplug = "unplug the PLC and plug it in again";

bool Has(const std::vector<long>& ids, long id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

std::string Octal(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode & 07777u);
    return text;
}

std::string Named(const std::string& name, long id) {
    return name.empty() ? std::to_string(id) : name;
}

// "owner root, group dialout, mode 0660"
std::string Permissions(const NodeFacts& node) {
    return "owner " + Named(node.owner, node.uid) + ", group " + Named(node.group, node.gid) +
           ", mode " + Octal(node.mode);
}

std::string Property(const std::map<std::string, std::string>& properties, const std::string& key) {
    const auto it = properties.find(key);
    return it == properties.end() ? std::string() : it->second;
}

// The first BRLTTY_ property of the tty or of its USB device, as "KEY=value".
std::string BrlttyClaim(const ports::UdevRecord& record) {
    for (const auto* properties : {&record.properties, &record.usbProperties}) {
        for (const auto& [key, value] : *properties) {
            if (key.starts_with("BRLTTY_"))
                return key + "=" + value;
        }
    }
    return {};
}

std::string Age(std::chrono::seconds age) {
    const long long minutes = std::max<long long>(age.count() / 60, 0);
    if (minutes < 120)
        return std::to_string(minutes) + " min";
    if (minutes < 48 * 60)
        return std::to_string(minutes / 60) + " h";
    return std::to_string(minutes / (24 * 60)) + " days";
}

Finding Make(std::string check, std::string port, CheckState state, std::string finding,
             std::string fix = {}) {
    return {std::move(check), std::move(port), state, std::move(finding), std::move(fix)};
}

Finding CheckNode(const std::string& port, const DeviceFacts& device) {
    switch (device.kind) {
        case DeviceFacts::Kind::Missing:
            return Make("port", port, CheckState::Problem, device.path + " does not exist",
                        "Connect the PLC by USB and switch it on; 'qx4t-vup ports --all' lists "
                        "the serial ports there are.");
        case DeviceFacts::Kind::NotDevice:
            return Make("port", port, CheckState::Problem, device.path + " is not a device",
                        "Name a serial port as 'qx4t-vup ports --all' lists it.");
        case DeviceFacts::Kind::NotSerial:
            return Make("port", port, CheckState::Problem,
                        device.path + " is a device but not a serial port",
                        "Name a serial port as 'qx4t-vup ports --all' lists it.");
        case DeviceFacts::Kind::Serial:
            break;
    }
    std::string what = device.path + " is a serial device";
    if (device.pseudoTerminal)
        what += " (a pseudo-terminal, as a simulated PLC uses)";
    else if (!device.device.empty())
        what += " (" + device.device + ")";
    return Make("port", port, CheckState::Ok, what);
}

Finding CheckAccess(const std::string& port, const DeviceFacts& device, const NodeFacts& node,
                    const MachineFacts& machine) {
    const DoctorViewer& who = machine.viewer;
    const std::string& path = device.path;
    if (!who.known) {
        return Make("access", port, CheckState::CannotTell,
                    "run as root without SUDO_USER: whose access to " + path +
                        " to check cannot be told (root may open any port)",
                    kRootFix);
    }
    const std::string perms = Permissions(node);
    const bool owner = node.uid == who.uid;
    const bool ownerRw = (node.mode & 0600u) == 0600u;
    const bool groupRw = (node.mode & 0060u) == 0060u;
    const bool otherRw = (node.mode & 0006u) == 0006u;
    const bool member = node.gid == who.gid || Has(who.memberOf, node.gid);
    // A fresh login of another account has the groups of the database.
    const bool inLogin =
        who.thisLogin ? node.gid == who.gid || Has(who.loginGroups, node.gid) : member;
    const std::vector<std::string> tags =
        device.udev ? device.udev->tags : std::vector<std::string>{};
    const bool uaccess = std::find(tags.begin(), tags.end(), "uaccess") != tags.end();
    bool aclUser = false;
    bool aclGroup = false;
    bool maskRw = true;
    if (node.acl) {
        for (const AclEntry& e : *node.acl) {
            if (e.tag == AclEntry::Tag::Mask)
                maskRw = e.readWrite;
        }
        for (const AclEntry& e : *node.acl) {
            if (e.tag == AclEntry::Tag::User && e.id == who.uid && e.readWrite)
                aclUser = maskRw;
            if (e.tag == AclEntry::Tag::Group && e.readWrite &&
                (e.id == who.gid || Has(inLogin ? who.loginGroups : who.memberOf, e.id)))
                aclGroup = maskRw;
        }
    }
    // With an ACL the group bits of the mode are its mask: the owning group's own entry is
    // not told apart here, which errs towards "may open" only where the mask allows it.
    std::string reason;
    if (owner && ownerRw)
        reason = "as its owner";
    else if (aclUser)
        reason = uaccess ? "through the access ACL the computer's seat gives its user (uaccess)"
                         : "through an access ACL for " + who.name;
    else if (groupRw && inLogin)
        reason = "through the group '" + Named(node.group, node.gid) + "'";
    else if (aclGroup)
        reason = "through an access ACL for one of " + who.name + "'s groups";
    else if (otherRw)
        reason = "as every user may";
    const bool mayOpen = who.thisLogin && node.mayOpen ? *node.mayOpen : !reason.empty();
    if (mayOpen) {
        if (reason.empty())
            reason = "as the system allows";
        return Make("access", port, CheckState::Ok,
                    who.name + " may open " + path + " " + reason + " (" + perms + ")");
    }
    if (!reason.empty()) {
        return Make("access", port, CheckState::Problem,
                    "the system refuses " + who.name + " access to " + path +
                        " although its permissions allow it (" + perms +
                        "); a security module may stand in the way",
                    "Ask the administrator; 'ls -l " + path + "' and 'getfacl " + path +
                        "' show the access.");
    }
    const std::string group = Named(node.group, node.gid);
    const std::string join =
        "'sudo usermod -aG " + group + " " + who.name + "', then log out and in again";
    if (device.pseudoTerminal) {
        return Make("access", port, CheckState::Problem,
                    path + " is a pseudo-terminal of " + Named(node.owner, node.uid) +
                        ": only that account may open it",
                    "Start the simulator (qx4t-plcsim) as " + who.name + ".");
    }
    const bool groupWouldHelp = groupRw && node.gid != 0;
    if (groupWouldHelp && member && !inLogin) {
        return Make("access", port, CheckState::Problem,
                    who.name + " is in the group '" + group + "' that owns " + path +
                        ", but this login is not: it began before " + who.name +
                        " joined the group (" + perms + ")",
                    "Log out and in again (or run 'newgrp " + group +
                        "' in this terminal), then try again.");
    }
    if (uaccess) {
        const std::string seat = path + " is given to the user at the computer's seat (uaccess)";
        const std::string orJoin = groupWouldHelp ? ", or join the group: " + join : "";
        if (!machine.seatUser) {
            return Make("access", port, CheckState::Problem,
                        seat + ", but no active seat session can be found, and " + who.name +
                            " is not in the group '" + group + "' (" + perms + ")",
                        groupWouldHelp ? "Join the group: " + join + "."
                                       : "Log in at the computer's own screen and keyboard.");
        }
        if (*machine.seatUser != who.uid) {
            return Make("access", port, CheckState::Problem,
                        seat + ", and " + who.name +
                            " is not that user: the seat's active session is another "
                            "account's, or this is a remote login (" +
                            perms + ")",
                        "Work at the computer's own screen and keyboard, logged in as " + who.name +
                            orJoin + ".");
        }
        return Make("access", port, CheckState::Problem,
                    who.name + " has the active session at the computer's seat, but " + path +
                        " carries no access ACL for " + who.name + " (" + perms + ")",
                    "Unplug the PLC and plug it in again; if that does not help, log out and "
                    "in again at the seat" +
                        orJoin + ".");
    }
    if (groupWouldHelp) {
        return Make("access", port, CheckState::Problem,
                    who.name + " is not in the group '" + group + "' that owns " + path + " (" +
                        perms + ")",
                    "Join it: " + join +
                        ". At the computer's seat the udev rule of the package qx4t-udev "
                        "gives access without the group: install it, then " +
                        kReplug + ".");
    }
    return Make("access", port, CheckState::Problem,
                "no group may open " + path + " (" + perms +
                    "), and it does not carry the uaccess tag that gives it to the user at the "
                    "computer's seat",
                std::string("Install the package qx4t-udev, whose udev rule gives the PLC to the "
                            "user at the seat and to the group dialout, then ") +
                    kReplug + ".");
}

Finding CheckUdevRule(const std::string& port, const DeviceFacts& device, const std::string& rule) {
    const std::string& path = device.path;
    if (rule.empty()) {
        return Make("udev-rule", port, CheckState::Problem,
                    "the udev rule 70-qx4t-plc.rules is not installed",
                    std::string("Install the package qx4t-udev ('sudo apt-get install "
                                "qx4t-udev'), then ") +
                        kReplug + ".");
    }
    if (!device.udev->found) {
        return Make("udev-rule", port, CheckState::CannotTell,
                    "udev keeps no record of " + path + ", so whether the rule " + rule +
                        " applies cannot be told",
                    "Unplug the PLC and plug it in again; 'udevadm info " + path +
                        "' shows what udev knows of it.");
    }
    const std::string description = Property(device.udev->properties, "QX4T_DESCRIPTION");
    if (!description.empty()) {
        return Make("udev-rule", port, CheckState::Ok,
                    "the udev rule " + rule + " is applied to " + path +
                        " (QX4T_DESCRIPTION=" + description + ")");
    }
    return Make("udev-rule", port, CheckState::Problem,
                "the udev rule " + rule + " is installed but not applied to " + path +
                    " (its udev record has no QX4T_DESCRIPTION)",
                "Unplug the PLC and plug it in again. If the rule still is not applied, the "
                "device reports another USB product string than the rule expects: complete "
                "the rule with its USB ids (/usr/share/doc/qx4t-udev/README).");
}

Finding CheckModemManager(const std::string& port, const DeviceFacts& device,
                          const MachineFacts& machine) {
    const std::string& path = device.path;
    if (!*machine.modemManagerRunning)
        return Make("modemmanager", port, CheckState::Ok, "ModemManager is not running");
    const std::string stop = "'sudo systemctl stop ModemManager' for the time of the version-up";
    if (!device.udev->found) {
        return Make("modemmanager", port, CheckState::CannotTell,
                    "ModemManager is running, and udev keeps no record of " + path +
                        ": whether ModemManager leaves it alone cannot be told",
                    "Unplug the PLC and plug it in again, or run " + stop + ".");
    }
    const ports::UdevRecord& record = *device.udev;
    if (Property(record.properties, "ID_MM_DEVICE_IGNORE") == "1" ||
        Property(record.usbProperties, "ID_MM_DEVICE_IGNORE") == "1") {
        return Make(
            "modemmanager", port, CheckState::Ok,
            "ModemManager is running and leaves " + path + " alone (ID_MM_DEVICE_IGNORE is set)");
    }
    const std::string rule = machine.udevRule.value_or("");
    return Make("modemmanager", port, CheckState::Problem,
                "ModemManager is running and may probe " + path +
                    ", which can break the version-up: ID_MM_DEVICE_IGNORE is not set on it",
                rule.empty() ? "Install the package qx4t-udev, whose udev rule sets "
                               "ID_MM_DEVICE_IGNORE on the PLC, then " +
                                   std::string(kReplug) + "; or run " + stop + "."
                             : "Unplug the PLC and plug it in again, so that the udev rule " +
                                   rule + " marks it; or run " + stop + ".");
}

Finding CheckBrltty(const std::string& port, const DeviceFacts& device,
                    const MachineFacts::Brltty& brltty) {
    const std::string& path = device.path;
    if (!brltty.installed && !brltty.running)
        return Make("brltty", port, CheckState::Ok, "brltty is not installed");
    if (!device.udev->found) {
        return Make("brltty", port, CheckState::CannotTell,
                    "brltty is installed, and udev keeps no record of " + path +
                        ": whether brltty claims it cannot be told",
                    "Unplug the PLC and plug it in again, then run the doctor again.");
    }
    const std::string claim = BrlttyClaim(*device.udev);
    if (!claim.empty()) {
        return Make("brltty", port, CheckState::Problem,
                    "brltty claims " + path + " (" + claim +
                        "): it takes the device's USB-serial bridge for a braille display and "
                        "holds the port",
                    "If no braille display is used on this computer, remove brltty ('sudo "
                    "apt-get remove brltty'), then " +
                        std::string(kReplug) + ".");
    }
    return Make("brltty", port, CheckState::Ok,
                std::string("brltty is installed") + (brltty.running ? " and running" : "") +
                    " but does not claim " + path);
}

Finding CheckHolders(const std::string& port, const DeviceFacts& device,
                     const MachineFacts& machine) {
    const std::string& path = device.path;
    if (!device.heldBy.empty()) {
        std::string kill;
        for (const long pid : device.holderPids)
            kill += " " + std::to_string(pid);
        return Make("holders", port, CheckState::Problem, path + " is held by " + device.heldBy,
                    "Close that program (or end it: 'kill" + kill + "'), then try again.");
    }
    if (device.busyUnnamed) {
        return Make("holders", port, CheckState::Problem,
                    path + " is in use by another program; the system does not say which",
                    "Close the program that uses it (the wizard, a terminal program, another "
                    "copy of this tool), then try again.");
    }
    if (device.holdersHidden && !machine.root) {
        return Make("holders", port, CheckState::Ok,
                    "no program of this account holds " + path +
                        " (other accounts' programs cannot be seen; 'sudo qx4t-vup doctor' "
                        "sees them)");
    }
    return Make("holders", port, CheckState::Ok, "no other program holds " + path);
}

Finding CheckFolder(const std::string& check, const std::string& what, const FolderFacts& f,
                    const std::string& made) {
    const std::string& path = f.path;
    const std::string chown = "Give it back to this account: 'sudo chown -R $USER " + path + "'.";
    switch (f.state) {
        case FolderFacts::State::Usable:
            return Make(check, {}, CheckState::Ok, what + " " + path + " is usable");
        case FolderFacts::State::Missing:
            if (f.canBeMade) {
                return Make(check, {}, CheckState::Ok,
                            what + " " + path + " does not exist yet; " + made);
            }
            return Make(check, {}, CheckState::Problem,
                        what + " " + path + " does not exist and cannot be made",
                        "Make it as this account ('mkdir -p " + path +
                            "'), or ask the administrator to make the folder above it "
                            "writable.");
        case FolderFacts::State::NotAFolder:
            return Make(check, {}, CheckState::Problem, path + " is not a folder",
                        "Move it out of the way: 'mv " + path + " " + path + ".old'.");
        case FolderFacts::State::NotWritable:
            return Make(check, {}, CheckState::Problem,
                        what + " " + path + " cannot be written by this account", chown);
        case FolderFacts::State::NotOwn:
            return Make(check, {}, CheckState::Problem,
                        what + " " + path + " belongs to another account", chown);
        case FolderFacts::State::NoPath:
            break;
    }
    return Make(check, {}, CheckState::Problem,
                "no place for " + what + ": neither XDG_STATE_HOME nor a home folder is set",
                "Set HOME (or XDG_STATE_HOME) to a folder of this account's.");
}

Finding CheckNotesStore(const NotesStoreFacts& store) {
    using Kind = NotesStoreFacts::Kind;
    switch (store.kind) {
        case Kind::Machine:
            return Make("notes-folder", {}, CheckState::Ok,
                        "the folder of notes for every account " + store.folder + " is usable");
        case Kind::Refused:
            return Make("notes-folder", {}, CheckState::Problem, store.why,
                        "Ask the administrator to make it again: 'sudo rm -rf " + store.folder +
                            " && sudo install -d -m 1777 -o root -g root " + store.folder + "'.");
        case Kind::AccountOnly:
            break;
    }
    if (store.folder.empty()) {
        return Make("notes-folder", {}, CheckState::Ok,
                    "notes of unverified updates are kept for each account");
    }
    return Make("notes-folder", {}, CheckState::CannotTell,
                "the folder of notes for every account " + store.folder +
                    " does not exist: notes are kept for this account only, and an update "
                    "another account began and did not finish cannot be seen",
                "Install the qx4t-udev package, which makes the folder.");
}

std::vector<Finding> CheckNotes(const MachineFacts& machine) {
    if (!machine.notes) {
        return {Make("notes", {}, CheckState::Problem,
                     "the note of unverified updates cannot be read: " + machine.notesError,
                     "Make the file readable for this account (see notes-folder); until then "
                     "every PLC counts as one whose update was not verified.")};
    }
    if (machine.notes->empty())
        return {Make("notes", {}, CheckState::Ok, "no update is waiting to be verified")};
    std::vector<Finding> findings;
    for (const NoteFacts& note : *machine.notes) {
        if (!note.problem.empty()) {
            findings.push_back(Make("notes", {}, CheckState::Problem,
                                    note.problem + ", so it cannot rule out an update begun "
                                                   "and not verified",
                                    "Look at the file; once the PLC it names is known to run "
                                    "its firmware, remove it (as root if another account "
                                    "left it)."));
            continue;
        }
        const std::string when = note.age ? "begun " + Age(*note.age) + " ago"
                                          : "begun at a time the note does not give";
        const std::string where = note.port.empty() ? "" : " (last on " + note.port + ")";
        const std::string command =
            note.port.empty() ? "qx4t-vup update" : "qx4t-vup update --port " + note.port;
        findings.push_back(
            Make("notes", {}, CheckState::Problem,
                 "an update of the PLC " + note.identity + where + " was " + when +
                     " and has not been verified: the PLC may be waiting in its update mode",
                 "Do not switch that PLC off. Attach it and run '" + command +
                     "': it finishes or verifies the update, and the note goes."));
    }
    return findings;
}

}  // namespace

const char* CheckStateName(CheckState state) {
    switch (state) {
        case CheckState::Ok:
            return "ok";
        case CheckState::Problem:
            return "problem";
        case CheckState::CannotTell:
            break;
    }
    return "cannot_tell";
}

Finding CheckViewer(const MachineFacts& machine) {
    const DoctorViewer& who = machine.viewer;
    if (!who.known) {
        return Make("user", {}, CheckState::CannotTell,
                    "run as root without SUDO_USER: whose access to check cannot be told",
                    kRootFix);
    }
    if (machine.root) {
        return Make(
            "user", {}, CheckState::Ok,
            "run as root: the checks of access are for " + who.name + ", who ran sudo (SUDO_USER)");
    }
    return Make("user", {}, CheckState::Ok,
                "the checks of access are for " + who.name + " in this login");
}

std::vector<Finding> CheckPort(const std::string& port, const DeviceFacts& device,
                               const MachineFacts& machine) {
    std::vector<Finding> findings{CheckNode(port, device)};
    if (device.kind != DeviceFacts::Kind::Serial)
        return findings;
    if (device.node)
        findings.push_back(CheckAccess(port, device, *device.node, machine));
    // The udev rule, ModemManager and brltty are about USB devices, never a pseudo-terminal.
    if (device.udev && !device.pseudoTerminal) {
        if (machine.udevRule)
            findings.push_back(CheckUdevRule(port, device, *machine.udevRule));
        if (machine.modemManagerRunning)
            findings.push_back(CheckModemManager(port, device, machine));
        if (machine.brltty)
            findings.push_back(CheckBrltty(port, device, *machine.brltty));
    }
    findings.push_back(CheckHolders(port, device, machine));
    return findings;
}

std::vector<Finding> CheckMachine(const MachineFacts& machine) {
    std::vector<Finding> findings{CheckFolder("state-folder", "the state folder (run logs)",
                                              machine.stateFolder, "it is made at the first run"),
                                  CheckNotesStore(machine.notesStore)};
    for (Finding& f : CheckNotes(machine))
        findings.push_back(std::move(f));
    if (machine.registry) {
        Finding registry = CheckFolder("registry", "the simulated-port registry", *machine.registry,
                                       "a simulator makes it");
        if (machine.registry->state == FolderFacts::State::Usable) {
            registry.finding +=
                " (" + std::to_string(machine.registeredPorts) + " simulated port(s) registered)";
        } else if (registry.state == CheckState::Problem &&
                   machine.registry->state != FolderFacts::State::NotAFolder) {
            registry.finding += ": simulated PLCs registered there are not listed";
            registry.fix += " Or set XDG_RUNTIME_DIR to a folder of this account's own.";
        }
        findings.push_back(std::move(registry));
    }
    return findings;
}

int DoctorExitCode(const std::vector<Finding>& findings) {
    const bool problem = std::any_of(findings.begin(), findings.end(), [](const Finding& f) {
        return f.state == CheckState::Problem;
    });
    return problem ? kExitNoPort : kExitSuccess;
}

void ReadNotes(const PendingUpdates& notes, MachineFacts& facts) {
    std::string error;
    using Kind = NotesStoreFacts::Kind;
    switch (notes.store(error)) {
        case PendingUpdates::Store::Machine:
            facts.notesStore = {Kind::Machine, notes.notesFolder(), {}};
            break;
        case PendingUpdates::Store::Account:
            facts.notesStore = {Kind::AccountOnly, notes.notesFolder(), {}};
            break;
        case PendingUpdates::Store::Refused:
            facts.notesStore = {Kind::Refused, notes.notesFolder(), error};
            break;
    }
    error.clear();
    const auto standing = notes.notes(&error);
    if (!standing) {
        facts.notes.reset();
        facts.notesError = error;
        return;
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    facts.notes.emplace();
    for (const PendingUpdates::Note& note : *standing) {
        NoteFacts f{note.identity, note.port, std::nullopt, note.problem};
        if (note.time > 0) {
            f.age = std::max(std::chrono::seconds(0),
                             std::chrono::duration_cast<std::chrono::seconds>(now) -
                                 std::chrono::seconds(note.time));
        }
        facts.notes->push_back(std::move(f));
    }
}

namespace {

void Show(const Finding& f, Reporter& report) {
    if (report.json()) {
        report.record(JsonObject()
                          .add("type", "check")
                          .add("check", f.check)
                          .add("port", f.port)
                          .add("state", CheckStateName(f.state))
                          .add("finding", f.finding)
                          .add("fix", f.fix));
        return;
    }
    std::string state = f.state == CheckState::CannotTell ? "cannot tell" : CheckStateName(f.state);
    state.resize(std::max<std::size_t>(state.size(), 12), ' ');
    std::string check = f.check;
    check.resize(std::max<std::size_t>(check.size(), 13), ' ');
    report.info(state + check + (f.port.empty() ? "" : f.port + ": ") + f.finding + "." +
                (f.fix.empty() ? "" : " Fix: " + f.fix));
}

}  // namespace

int RunDoctor(const Options& options, Reporter& report, Environment& env) {
    if (!env.doctor.machine || !env.doctor.device) {
        report.result(kExitUsage, "the doctor cannot look at this machine");
        return kExitUsage;
    }
    const MachineFacts machine = env.doctor.machine(PendingUpdatesOf(env));
    std::vector<Finding> findings;
    if (machine.accounts)
        findings.push_back(CheckViewer(machine));
    std::vector<std::string> ports;
    if (!options.port.empty()) {
        ports.push_back(options.port);
    } else if (env.listPorts) {
        for (const auto& info : env.listPorts()) {
            if (IsPlcDescription(utf8ToWide(info.description)))
                ports.push_back(info.name);
        }
    }
    if (ports.empty()) {
        findings.push_back(Make("plc", {}, CheckState::Problem, "no PLC found",
                                "Connect the PLC by USB and switch it on. 'qx4t-vup ports "
                                "--all' lists the serial ports; 'qx4t-vup doctor --port NAME' "
                                "checks one of them."));
    }
    for (const std::string& port : ports) {
        for (Finding& f : CheckPort(port, env.doctor.device(port), machine))
            findings.push_back(std::move(f));
    }
    for (Finding& f : CheckMachine(machine))
        findings.push_back(std::move(f));

    int problems = 0;
    int unknown = 0;
    for (const Finding& f : findings) {
        Show(f, report);
        problems += f.state == CheckState::Problem ? 1 : 0;
        unknown += f.state == CheckState::CannotTell ? 1 : 0;
    }
    const int code = DoctorExitCode(findings);
    JsonObject counts = JsonObject().add("problems", problems).add("cannot_tell", unknown);
    if (code != kExitSuccess) {
        report.result(code, std::to_string(problems) + " problem(s) stand in the way", counts);
        return code;
    }
    if (unknown > 0) {
        report.note("warning: " + std::to_string(unknown) +
                    " check(s) could not tell; what they name may still stand in the way");
    }
    report.result(code, "nothing stands in the way", counts);
    return code;
}

std::string WithDoctorFinding(const Environment& env, const std::string& port,
                              std::string message) {
    if (!env.doctor.machine || !env.doctor.device)
        return message;
    message += message.ends_with(".") ? " " : ". ";
    const MachineFacts machine = env.doctor.machine(PendingUpdatesOf(env));
    for (const Finding& f : CheckPort(port, env.doctor.device(port), machine)) {
        if (f.state != CheckState::Problem)
            continue;
        if (message.find(f.finding) == std::string::npos) {
            message += "The doctor finds: " + f.finding + "." +
                       (f.fix.empty() ? "" : " Fix: " + f.fix) + " ";
        }
        break;
    }
    return message + "'qx4t-vup doctor --port " + port + "' shows every check";
}

}  // namespace qx4t::cli
