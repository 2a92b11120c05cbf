// What the doctor reads of a Linux machine: the device node and its ACL, the udev database,
// the accounts and groups, the seat's active session, the processes, the folders.
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/Advice.h"
#include "cli/DoctorFacts.h"
#include "platform/AppFolders.h"
#include "platform/serial/PortAccess.h"

namespace qx4t::cli {
namespace {

namespace fs = std::filesystem;

// Unix98 pseudo-terminal slaves: majors 136 to 143.
constexpr unsigned kPtsFirstMajor = 136;
constexpr unsigned kPtsLastMajor = 143;
// The seat whose active user udev's uaccess tag gives devices to.
constexpr const char* kSeatFile = "/run/systemd/seats/seat0";

std::string NameOfUser(long uid) {
    const struct passwd* pw = ::getpwuid(static_cast<uid_t>(uid));
    return pw != nullptr ? pw->pw_name : std::to_string(uid);
}

std::string NameOfGroup(long gid) {
    const struct group* gr = ::getgrgid(static_cast<gid_t>(gid));
    return gr != nullptr ? gr->gr_name : std::string();
}

std::vector<long> DatabaseGroups(const struct passwd& pw) {
    int count = 64;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (::getgrouplist(pw.pw_name, pw.pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(pw.pw_name, pw.pw_gid, groups.data(), &count) < 0)
            count = 0;
    }
    groups.resize(static_cast<std::size_t>(std::max(count, 0)));
    return {groups.begin(), groups.end()};
}

void Account(const struct passwd& pw, DoctorViewer& who) {
    who.name = pw.pw_name;
    who.uid = static_cast<long>(pw.pw_uid);
    who.gid = static_cast<long>(pw.pw_gid);
    who.memberOf = DatabaseGroups(pw);
}

DoctorViewer Viewer(bool root) {
    DoctorViewer who;
    if (root) {
        // sudo names the account it was run from; the port is for that account's use.
        who.thisLogin = false;
        const char* sudoUser = std::getenv("SUDO_USER");
        const struct passwd* pw =
            sudoUser != nullptr && sudoUser[0] != '\0' ? ::getpwnam(sudoUser) : nullptr;
        if (pw == nullptr || pw->pw_uid == 0) {
            who.known = false;
            who.name = "root";
            who.uid = 0;
            return who;
        }
        Account(*pw, who);
        return who;
    }
    if (const struct passwd* pw = ::getpwuid(::getuid())) {
        Account(*pw, who);
    } else {
        who.name = std::to_string(::getuid());
        who.uid = static_cast<long>(::getuid());
        who.gid = static_cast<long>(::getgid());
    }
    const int n = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(n, 0)));
    const int got = n > 0 ? ::getgroups(n, groups.data()) : 0;
    groups.resize(static_cast<std::size_t>(std::max(got, 0)));
    who.loginGroups.assign(groups.begin(), groups.end());
    who.loginGroups.push_back(static_cast<long>(::getegid()));
    return who;
}

std::optional<long> SeatUser() {
    std::ifstream in(kSeatFile);
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with("ACTIVE_UID=")) {
            char* end = nullptr;
            const long uid = std::strtol(line.c_str() + 11, &end, 10);
            if (end != line.c_str() + 11)
                return uid;
        }
    }
    return std::nullopt;
}

// The named entries of the access ACL, from its extended attribute: a version word, then
// entries of tag, permissions and id (16, 16 and 32 bits, little-endian).
std::optional<std::vector<AclEntry>> ReadAcl(const std::string& path) {
    constexpr std::uint32_t kVersion = 2;
    constexpr unsigned kUser = 0x02;
    constexpr unsigned kGroup = 0x08;
    constexpr unsigned kMask = 0x10;
    unsigned char buffer[1024];
    const ssize_t n = ::getxattr(path.c_str(), "system.posix_acl_access", buffer, sizeof buffer);
    if (n < 0)
        return errno == ENODATA || errno == ENOTSUP ? std::optional(std::vector<AclEntry>{})
                                                    : std::nullopt;
    const auto word = [&](std::size_t at, std::size_t bytes) {
        std::uint32_t value = 0;
        for (std::size_t i = bytes; i-- > 0;)
            value = (value << 8) | buffer[at + i];
        return value;
    };
    const auto size = static_cast<std::size_t>(n);
    if (size < 4 || (size - 4) % 8 != 0 || word(0, 4) != kVersion)
        return std::nullopt;
    std::vector<AclEntry> entries;
    for (std::size_t at = 4; at < size; at += 8) {
        const std::uint32_t tag = word(at, 2);
        const bool readWrite = (word(at + 2, 2) & 6u) == 6u;
        const long id = static_cast<long>(word(at + 4, 4));
        if (tag == kUser)
            entries.push_back({AclEntry::Tag::User, id, readWrite});
        else if (tag == kGroup)
            entries.push_back({AclEntry::Tag::Group, id, readWrite});
        else if (tag == kMask)
            entries.push_back({AclEntry::Tag::Mask, -1, readWrite});
    }
    return entries;
}

FolderFacts LookAtFolder(const std::string& path) {
    FolderFacts f;
    f.path = path;
    if (path.empty())
        return f;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        f.state = FolderFacts::State::Missing;
        // Made with its parents at first use: the nearest folder above that exists decides.
        fs::path above = fs::path(path).parent_path();
        while (!above.empty() && ::stat(above.c_str(), &st) != 0 && above != above.root_path())
            above = above.parent_path();
        f.canBeMade = S_ISDIR(st.st_mode) && ::access(above.c_str(), W_OK | X_OK) == 0;
        return f;
    }
    if (!S_ISDIR(st.st_mode))
        f.state = FolderFacts::State::NotAFolder;
    else if (st.st_uid != ::geteuid())
        f.state = FolderFacts::State::NotOwn;
    else if (::access(path.c_str(), W_OK | X_OK) != 0)
        f.state = FolderFacts::State::NotWritable;
    else
        f.state = FolderFacts::State::Usable;
    return f;
}

MachineFacts LookAtMachine(const PendingUpdates& notes) {
    MachineFacts facts;
    facts.root = ::geteuid() == 0;
    facts.viewer = Viewer(facts.root);
    facts.seatUser = SeatUser();
    facts.modemManagerRunning = ModemManagerRunning();
    struct stat st {};
    facts.brltty = MachineFacts::Brltty{
        ::stat("/usr/bin/brltty", &st) == 0 || ::stat("/bin/brltty", &st) == 0 ||
            ::stat("/usr/lib/udev/rules.d/85-brltty.rules", &st) == 0,
        ProcessRunning("brltty")};
    facts.udevRule = InstalledUdevRule();
    facts.stateFolder = LookAtFolder(stateFolder());
    const std::string registry = ports::defaultRegistryFolder();
    facts.registry = LookAtFolder(registry);
    facts.registeredPorts = static_cast<int>(ports::readVirtualPorts(registry).size());
    ReadNotes(notes, facts);
    return facts;
}

DeviceFacts LookAtDevice(const std::string& port, bool thisLogin) {
    DeviceFacts d;
    d.path = "/dev/" + port;
    struct stat st {};
    if (::stat(d.path.c_str(), &st) != 0) {
        d.kind = DeviceFacts::Kind::Missing;
        return d;
    }
    if (!S_ISCHR(st.st_mode)) {
        d.kind = DeviceFacts::Kind::NotDevice;
        return d;
    }
    d.device = std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev));
    // Pseudo-terminals have no entry in sysfs; every other tty has one in the class tty.
    d.pseudoTerminal = major(st.st_rdev) >= kPtsFirstMajor && major(st.st_rdev) <= kPtsLastMajor;
    std::error_code ec;
    const fs::path subsystem = fs::read_symlink("/sys/dev/char/" + d.device + "/subsystem", ec);
    if (!d.pseudoTerminal && (ec || subsystem.filename() != "tty")) {
        d.kind = DeviceFacts::Kind::NotSerial;
        return d;
    }
    d.kind = DeviceFacts::Kind::Serial;

    NodeFacts node;
    node.uid = static_cast<long>(st.st_uid);
    node.gid = static_cast<long>(st.st_gid);
    node.mode = st.st_mode & 07777u;
    node.owner = NameOfUser(node.uid);
    node.group = NameOfGroup(node.gid);
    node.acl = ReadAcl(d.path);
    if (thisLogin)
        node.mayOpen = ::access(d.path.c_str(), R_OK | W_OK) == 0;
    d.node = node;

    d.udev = ports::readUdevRecord(d.device);
    const serial::PortHolders held = serial::findPortHolders(d.path);
    d.heldBy = serial::describeHolders(held.holders);
    for (const auto& holder : held.holders)
        d.holderPids.push_back(holder.pid);
    d.holdersHidden = held.someHidden;
    return d;
}

}  // namespace

DoctorLookups MachineDoctorLookups() {
    DoctorLookups lookups;
    lookups.machine = LookAtMachine;
    lookups.device = [](const std::string& port) { return LookAtDevice(port, ::geteuid() != 0); };
    return lookups;
}

}  // namespace qx4t::cli
