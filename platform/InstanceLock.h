#pragma once
// One running copy per user. The lock is an advisory flock on a file named after the program in
// the user's runtime folder: the kernel drops it when the holder dies, so a killed or crashed
// copy never blocks the next start.
#include <string>

#include "platform/PrivateFiles.h"

namespace qx4t {

// The per-user folder for runtime files: $XDG_RUNTIME_DIR when it names an existing absolute
// directory that is private to this user (checkPrivateFolder), otherwise <tmpRoot>/qx4t-<uid>,
// made by makePrivateFolders: a fallback folder that is a symbolic link, not a directory, owned
// by another user or open to others is refused (someone else could then read or replace what we
// put there).
// Returns "" and fills *error when no usable folder exists. xdgRuntimeDir is the value of the
// variable, or nullptr when it is unset; the overload without arguments reads the environment.
[[nodiscard]] std::string userRuntimeFolder(const char* xdgRuntimeDir, const std::string& tmpRoot,
                                            std::string* error = nullptr);
[[nodiscard]] std::string userRuntimeFolder(std::string* error = nullptr);

class InstanceLock {
public:
    enum class Status {
        Acquired,     // this process now holds the lock
        Busy,         // another process holds it
        Unavailable,  // the lock file cannot be made or locked; see error()
    };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries once, without waiting, to lock <folder>/<name>.lock (FileLock). The file is created
    // 0600 and is never removed: removing it would let a third copy lock a fresh file while the
    // second still waits on the old one. A lock already held by this object is released first.
    [[nodiscard]] Status acquire(const std::string& folder, const std::string& name);
    // The same in userRuntimeFolder().
    [[nodiscard]] Status acquire(const std::string& name);

    [[nodiscard]] bool held() const { return m_lock.held(); }
    void release();
    [[nodiscard]] const std::string& error() const { return m_error; }

private:
    FileLock m_lock;
    std::string m_error;
};

}  // namespace qx4t
