#include "platform/PlcHold.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/PlcFileName.h"

namespace qx4t {
namespace {

// The holder's line is short; anything longer is not ours.
constexpr std::size_t kMaxHolderBytes = 256;

std::string errnoText(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

std::string userName() {
    return accountName(::geteuid());
}

// A folder every account may create files in, each keeping its own: sticky and world-writable.
bool sharedFolder(const std::string& folder, std::string& error) {
    if (::mkdir(folder.c_str(), 01777) == 0) {
        // The creator's umask narrowed it; every account must be able to lock here.
        if (::chmod(folder.c_str(), 01777) != 0) {
            error = errnoText("cannot open to every account", folder);
            return false;
        }
    } else if (errno != EEXIST) {
        error = errnoText("cannot create", folder);
        return false;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        error = errnoText("cannot examine", folder);
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        error = folder + " is not a directory";
        return false;
    }
    // A writable folder without the sticky bit would let anyone remove another's lock file.
    if ((st.st_mode & S_IWOTH) != 0 && (st.st_mode & S_ISVTX) == 0) {
        error = folder + " is writable by everyone but not sticky";
        return false;
    }
    return true;
}

// Who holds the lock on `path`, as its file tells. The file's owner writes it and may write
// anything, so a line is believed only when the account it names is the owner's: no account
// can pass for another. The line names the holder's own account, so a hold by one account on a
// file another made shows no name.
std::string holderIn(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        return "another program";
    }
    char text[kMaxHolderBytes] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    ::close(fd);
    std::string line = n > 0 ? std::string(text, static_cast<std::size_t>(n)) : std::string();
    while (!line.empty() && line.back() == '\n')
        line.pop_back();
    if (line.empty())
        return "another program";
    // A file others could write (as an earlier release made them) proves nothing either.
    const std::string owner = accountName(st.st_uid);
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0 || !line.ends_with(", user " + owner + ")") ||
        line.find('\n') != std::string::npos)
        return "a program of another account";
    return line;
}

}  // namespace

std::string defaultPlcHoldFolder() {
    if (const char* dir = std::getenv("QX4T_HOLD_DIR"); dir != nullptr && dir[0] == '/')
        return dir;
    struct stat st {};
    if (::stat("/run/lock", &st) == 0 && S_ISDIR(st.st_mode) && ::access("/run/lock", W_OK) == 0)
        return "/run/lock/qx4t";
    return "/tmp/qx4t-holds";
}

PlcHold::~PlcHold() {
    release();
}

void PlcHold::release() {
    if (m_lock.held() && m_wroteName) {
        // Emptied first, so a reader never names a holder that has gone.
        (void)::ftruncate(static_cast<int>(m_lock.handle()), 0);
    }
    m_lock.release();
    m_wroteName = false;
}

bool PlcHold::held() const {
    return m_lock.held();
}

PlcHold::Status PlcHold::acquire(const std::string& folder, const std::string& identityKey,
                                 const std::string& program) {
    release();
    m_holder.clear();
    m_error.clear();
    if (folder.empty())
        return Status::Held;
    if (!sharedFolder(folder, m_error))
        return Status::Unavailable;
    const std::string path = folder + "/" + plcFileName(identityKey, ".lock");
    // Readable by every account, which is all a lock needs; only its maker writes a name in it.
    FileError error;
    switch (m_lock.lock(path, FileLock::Wait::No, error, 0644)) {
        case FileLock::Status::Held:
            break;
        case FileLock::Status::Busy:
            m_holder = holderIn(path);
            return Status::Busy;
        case FileLock::Status::Failed:
            m_error = error.text;
            return Status::Unavailable;
    }
    const int fd = static_cast<int>(m_lock.handle());
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid()) {
        // An earlier release made it open to every account to write; nobody else may now.
        (void)::fchmod(fd, 0644);
        const std::string line =
            program + " (pid " + std::to_string(::getpid()) + ", user " + userName() + ")\n";
        // Without its name the hold still stands; the other tool then says "another program".
        m_wroteName = ::ftruncate(fd, 0) == 0 && ::pwrite(fd, line.data(), line.size(), 0) ==
                                                     static_cast<ssize_t>(line.size());
    }
    return Status::Held;
}

}  // namespace qx4t
