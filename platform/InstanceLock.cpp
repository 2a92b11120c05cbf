#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace qx4t {
namespace {

void setError(std::string* error, const std::string& text) {
    if (error != nullptr) {
        *error = text;
    }
}

std::string errnoText(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

bool isUsableDirectory(const char* path) {
    struct stat st {};
    return path != nullptr && path[0] == '/' && ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string userRuntimeFolder(const char* xdgRuntimeDir, const std::string& tmpRoot,
                              std::string* error) {
    if (isUsableDirectory(xdgRuntimeDir)) {
        return xdgRuntimeDir;
    }
    const uid_t uid = ::geteuid();
    const std::string folder = tmpRoot + "/qx4t-" + std::to_string(uid);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        setError(error, errnoText("cannot create", folder));
        return {};
    }
    // lstat, not stat: a symbolic link planted under /tmp must not redirect us.
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        setError(error, errnoText("cannot examine", folder));
        return {};
    }
    if (!S_ISDIR(st.st_mode)) {
        setError(error, folder + " is not a directory");
        return {};
    }
    if (st.st_uid != uid) {
        setError(error, folder + " belongs to another user");
        return {};
    }
    if ((st.st_mode & 0077) != 0 && ::chmod(folder.c_str(), 0700) != 0) {
        setError(error, errnoText("cannot restrict", folder));
        return {};
    }
    return folder;
}

std::string userRuntimeFolder(std::string* error) {
    return userRuntimeFolder(std::getenv("XDG_RUNTIME_DIR"), "/tmp", error);
}

InstanceLock::~InstanceLock() {
    release();
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_error(std::move(other.m_error)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
        m_error = std::move(other.m_error);
    }
    return *this;
}

void InstanceLock::release() {
    if (m_fd >= 0) {
        // Closing the only descriptor of the open file drops the flock.
        ::close(m_fd);
        m_fd = -1;
    }
}

InstanceLock::Status InstanceLock::acquire(const std::string& folder, const std::string& name) {
    release();
    m_error.clear();
    const std::string path = folder + "/" + name + ".lock";
    // Close-on-exec so that a program the wizard starts (the manual viewer) cannot keep the
    // lock alive after we end; no-follow so that a planted link cannot point us elsewhere.
    // Neither call below can block (a regular file, LOCK_NB), so neither sees EINTR.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
    if (fd < 0) {
        m_error = errnoText("cannot open", path);
        return Status::Unavailable;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = path + " is not a regular file";
        ::close(fd);
        return Status::Unavailable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        if (!busy) {
            m_error = errnoText("cannot lock", path);
        }
        ::close(fd);
        return busy ? Status::Busy : Status::Unavailable;
    }
    m_fd = fd;
    return Status::Acquired;
}

InstanceLock::Status InstanceLock::acquire(const std::string& name) {
    release();
    std::string error;
    const std::string folder = userRuntimeFolder(&error);
    if (folder.empty()) {
        m_error = error;
        return Status::Unavailable;
    }
    return acquire(folder, name);
}

}  // namespace qx4t
