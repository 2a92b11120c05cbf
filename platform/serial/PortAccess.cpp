#include "platform/serial/PortAccess.h"

#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <optional>

namespace qx4t::serial {
namespace {

// The character device behind /dev/ptmx (and each devpts instance's own ptmx).
constexpr unsigned kPtmxMajor = 5;
constexpr unsigned kPtmxMinor = 2;
// Unix98 pseudo-terminal slaves: majors 136 to 143, 256 minors each.
constexpr unsigned kPtsFirstMajor = 136;
constexpr unsigned kPtsLastMajor = 143;

bool isNumber(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

std::optional<std::string> readLink(const std::string& path) {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
    if (n <= 0)
        return std::nullopt;
    return std::string(buf, static_cast<std::size_t>(n));
}

// Only device nodes are looked at: a descriptor on a stalled network mount would hang a stat.
std::optional<dev_t> deviceOf(const std::string& path) {
    if (!path.starts_with("/dev/"))
        return std::nullopt;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode))
        return std::nullopt;
    return st.st_rdev;
}

// The pseudo-terminal index of a ptmx descriptor, from its fdinfo.
std::optional<long> ptyIndexOf(const std::string& fdinfoPath) {
    std::ifstream in(fdinfoPath);
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with("tty-index:")) {
            char* end = nullptr;
            const long index = std::strtol(line.c_str() + 10, &end, 10);
            if (end != line.c_str() + 10)
                return index;
        }
    }
    return std::nullopt;
}

std::string commandOf(const std::string& procRoot, const std::string& pid) {
    std::ifstream in(procRoot + "/" + pid + "/comm");
    std::string name;
    std::getline(in, name);
    return name.empty() ? "an unnamed process" : name;
}

bool userIsMemberOf(gid_t gid) {
    const struct passwd* pw = ::getpwuid(::getuid());
    if (pw == nullptr)
        return false;
    if (pw->pw_gid == gid)
        return true;
    int count = 64;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (::getgrouplist(pw->pw_name, pw->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(pw->pw_name, pw->pw_gid, groups.data(), &count) < 0)
            return false;
    }
    groups.resize(static_cast<std::size_t>(count));
    return std::find(groups.begin(), groups.end(), gid) != groups.end();
}

}  // namespace

DeviceAccess deviceAccess(const std::string& devicePath) {
    DeviceAccess access;
    if (::access(devicePath.c_str(), R_OK | W_OK) == 0 || (errno != EACCES && errno != EPERM))
        return access;
    access.denied = true;
    struct stat st {};
    if (::stat(devicePath.c_str(), &st) != 0)
        return access;
    if (const struct group* g = ::getgrgid(st.st_gid))
        access.group = g->gr_name;
    const bool groupReadWrite = (st.st_mode & S_IRGRP) != 0 && (st.st_mode & S_IWGRP) != 0;
    access.groupWouldHelp = groupReadWrite && st.st_gid != 0 && !access.group.empty();
    if (access.groupWouldHelp) {
        const int n = ::getgroups(0, nullptr);
        std::vector<gid_t> session(static_cast<std::size_t>(std::max(n, 0)));
        const int got = n > 0 ? ::getgroups(n, session.data()) : 0;
        session.resize(static_cast<std::size_t>(std::max(got, 0)));
        const bool inSession = ::getegid() == st.st_gid || std::find(session.begin(), session.end(),
                                                                     st.st_gid) != session.end();
        access.memberNotInSession = !inSession && userIsMemberOf(st.st_gid);
    }
    return access;
}

PortHolders findPortHolders(const std::string& devicePath, const std::vector<long>& servers,
                            const std::string& procRoot) {
    PortHolders found;
    char resolved[PATH_MAX];
    if (::realpath(devicePath.c_str(), resolved) == nullptr)
        return found;
    const std::optional<dev_t> device = deviceOf(resolved);
    if (!device)
        return found;
    const unsigned major = ::major(*device);
    const bool pseudoTerminal = major >= kPtsFirstMajor && major <= kPtsLastMajor;
    const long ptyIndex =
        pseudoTerminal ? static_cast<long>((major - kPtsFirstMajor) * 256 + ::minor(*device)) : -1;
    const std::string self = std::to_string(::getpid());

    DIR* proc = ::opendir(procRoot.c_str());
    if (proc == nullptr) {
        found.someHidden = true;
        return found;
    }
    while (const dirent* entry = ::readdir(proc)) {
        const std::string pid = entry->d_name;
        if (!isNumber(pid) || pid == self)
            continue;
        const std::string fdDir = procRoot + "/" + pid + "/fd";
        DIR* fds = ::opendir(fdDir.c_str());
        if (fds == nullptr) {
            // Gone meanwhile is nothing; anything else is a process we may not look into.
            if (errno != ENOENT)
                found.someHidden = true;
            continue;
        }
        bool holdsDevice = false;
        bool holdsMaster = false;
        while (const dirent* fd = ::readdir(fds)) {
            if (!isNumber(fd->d_name))
                continue;
            const auto target = readLink(fdDir + "/" + fd->d_name);
            if (!target)
                continue;
            const auto dev = deviceOf(*target);
            if (!dev)
                continue;
            if (*dev == *device) {
                holdsDevice = true;
            } else if (pseudoTerminal && ::major(*dev) == kPtmxMajor &&
                       ::minor(*dev) == kPtmxMinor &&
                       ptyIndexOf(procRoot + "/" + pid + "/fdinfo/" + fd->d_name) == ptyIndex) {
                holdsMaster = true;
            }
        }
        ::closedir(fds);
        const long pidNumber = std::strtol(pid.c_str(), nullptr, 10);
        const bool server =
            holdsMaster || std::find(servers.begin(), servers.end(), pidNumber) != servers.end();
        if (holdsDevice && !server)
            found.holders.push_back({pidNumber, commandOf(procRoot, pid)});
    }
    ::closedir(proc);
    std::sort(found.holders.begin(), found.holders.end(),
              [](const PortHolder& a, const PortHolder& b) { return a.pid < b.pid; });
    return found;
}

std::string describeHolders(const std::vector<PortHolder>& holders) {
    std::string text;
    for (const PortHolder& h : holders) {
        if (!text.empty())
            text += ", ";
        text += h.command + " (pid " + std::to_string(h.pid) + ")";
    }
    return text;
}

}  // namespace qx4t::serial
