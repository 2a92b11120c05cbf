#include "platform/PlcHold.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace qx4t {
namespace {

// The holder's line is short; anything longer is not ours.
constexpr std::size_t kMaxHolderBytes = 256;

std::string errnoText(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

std::string userName() {
    if (const passwd* pw = ::getpwuid(::geteuid()))
        return pw->pw_name;
    return "uid " + std::to_string(::geteuid());
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
    if (m_fd >= 0) {
        // Emptied first, so a reader never names a holder that has gone.
        (void)::ftruncate(m_fd, 0);
        ::close(m_fd);
        m_fd = -1;
    }
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
    const std::string path = folder + "/" + plcHoldFileName(identityKey);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        m_error = errnoText("cannot open", path);
        return Status::Unavailable;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = path + " is not a plain file";
        ::close(fd);
        return Status::Unavailable;
    }
    // Another account's tool must be able to open the file to lock it.
    if (st.st_uid == ::geteuid())
        (void)::fchmod(fd, 0666);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        if (busy) {
            char text[kMaxHolderBytes] = {};
            const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
            m_holder = n > 0 ? std::string(text, static_cast<std::size_t>(n)) : "another program";
            while (!m_holder.empty() && m_holder.back() == '\n')
                m_holder.pop_back();
        } else {
            m_error = errnoText("cannot lock", path);
        }
        ::close(fd);
        return busy ? Status::Busy : Status::Unavailable;
    }
    const std::string line =
        program + " (pid " + std::to_string(::getpid()) + ", user " + userName() + ")\n";
    if (::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, line.data(), line.size(), 0) != static_cast<ssize_t>(line.size())) {
        // The hold stands without its name; the other tool then says "another program".
    }
    m_fd = fd;
    return Status::Held;
}

}  // namespace qx4t
