#include "platform/InstanceLock.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>

namespace qx4t {
namespace {

void setError(std::string* error, const std::string& text) {
    if (error != nullptr) {
        *error = text;
    }
}

bool isUsableDirectory(const char* path) {
    struct stat st {};
    return path != nullptr && path[0] == '/' && ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string userRuntimeFolder(const char* xdgRuntimeDir, const std::string& tmpRoot,
                              std::string* error) {
    // The session's folder when it is this user's: a root run with another account's
    // environment (sudo -E) must not put its files where that account can reach them.
    FileError failed;
    if (isUsableDirectory(xdgRuntimeDir) && checkPrivateFolder(xdgRuntimeDir, failed)) {
        return xdgRuntimeDir;
    }
    const std::string folder = tmpRoot + "/qx4t-" + std::to_string(::geteuid());
    if (!makePrivateFolders(folder, failed)) {
        setError(error, failed.text);
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
    : m_lock(std::move(other.m_lock)), m_error(std::move(other.m_error)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        m_lock = std::move(other.m_lock);
        m_error = std::move(other.m_error);
    }
    return *this;
}

void InstanceLock::release() {
    m_lock.release();
}

InstanceLock::Status InstanceLock::acquire(const std::string& folder, const std::string& name) {
    m_error.clear();
    // Close-on-exec, so that a program the wizard starts (the manual viewer) cannot keep the
    // lock alive after we end.
    FileError error;
    switch (m_lock.lock(folder + "/" + name + ".lock", FileLock::Wait::No, error)) {
        case FileLock::Status::Held:
            return Status::Acquired;
        case FileLock::Status::Busy:
            return Status::Busy;
        case FileLock::Status::Failed:
            break;
    }
    m_error = error.text;
    return Status::Unavailable;
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
