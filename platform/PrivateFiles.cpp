#include "platform/PrivateFiles.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/WriteAll.h"

namespace qx4t {
namespace {

FileCause causeOf(int code) {
    switch (code) {
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return FileCause::NoSpace;
        case EACCES:
        case EPERM:
            return FileCause::PermissionDenied;
        case EROFS:
            return FileCause::ReadOnly;
        case ENOENT:
        case ENOTDIR:
            return FileCause::NotFound;
        case EBUSY:
        case ETXTBSY:
            return FileCause::Busy;
        case EIO:
            return FileCause::IoError;
        default:
            return FileCause::Other;
    }
}

FileError osError(const std::string& what, const std::string& path) {
    const int code = errno;
    // O_NOFOLLOW's refusal, in words a person reads as what happened.
    if (code == ELOOP)
        return {what + " " + path + ": it is a symbolic link, which is not followed", path,
                FileCause::PermissionDenied};
    return {what + " " + path + ": " + std::strerror(code), path, causeOf(code)};
}

// Opened without following a link, then made sure of: a regular file. O_NONBLOCK, which a
// regular file ignores, so that a FIFO planted in a shared folder cannot hang the open.
int openRegular(const std::string& path, int flags, unsigned mode, const char* what,
                FileError& error) {
    const int fd =
        ::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, mode);
    if (fd < 0) {
        error = osError(what, path);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = {std::string(what) + " " + path + ": not a regular file", path, FileCause::Other};
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

std::string folderOf(const std::string& file) {
    const auto slash = file.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
}

}  // namespace

bool makePrivateFolders(const std::string& folder, FileError& error) {
    if (folder.empty() || folder[0] != '/') {
        error = {"cannot create " + folder + ": not an absolute path", folder, FileCause::NotFound};
        return false;
    }
    // Each level as needed: ~/.local/state may not exist yet on a fresh account.
    for (std::size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
        const std::string level = folder.substr(0, at);
        if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) {
            error = osError("cannot create", level);
            return false;
        }
        if (at == std::string::npos)
            return checkPrivateFolder(folder, error);
    }
}

// Every folder above `folder`, as the system finds it, must be one only this user or root can
// change: the owner of another could put a link in this folder's place once it has been
// checked. Group-writable folders are allowed above it (a private group's umask 002 makes them).
bool checkAncestors(const std::string& folder, FileError& error) {
    const std::string parent = folderOf(folder);
    char* real = ::realpath(parent.c_str(), nullptr);
    if (real == nullptr) {
        error = osError("cannot examine", parent);
        return false;
    }
    std::string above(real);
    std::free(real);
    for (;;) {
        struct stat st {};
        if (::stat(above.c_str(), &st) != 0) {
            error = osError("cannot examine", above);
            return false;
        }
        const bool othersOwn = st.st_uid != 0 && st.st_uid != ::geteuid();
        const bool openToAll = (st.st_mode & S_IWOTH) != 0 && (st.st_mode & S_ISVTX) == 0;
        if (othersOwn || openToAll) {
            error = {
                folder + " lies in " + above + ", which another user can change; it is not used",
                folder, FileCause::PermissionDenied};
            return false;
        }
        if (above == "/")
            return true;
        above = folderOf(above);
    }
}

bool checkPrivateFolder(const std::string& folder, FileError& error) {
    if (!checkAncestors(folder, error))
        return false;
    // lstat, not stat: a link planted in the folder's place must not send our files elsewhere.
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        error = osError("cannot examine", folder);
        return false;
    }
    if (S_ISLNK(st.st_mode)) {
        error = {folder + " is a symbolic link, not a directory of this user's own", folder,
                 FileCause::PermissionDenied};
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        error = {folder + " is not a directory", folder, FileCause::NotFound};
        return false;
    }
    // Another account could replace or read what we keep there (sudo -E hands a root run the
    // user's XDG folders; /tmp lets anyone make the name first).
    if (st.st_uid != ::geteuid()) {
        error = {folder + " belongs to another user (uid " + std::to_string(st.st_uid) +
                     "), who made it; it is not used",
                 folder, FileCause::PermissionDenied};
        return false;
    }
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
        error = {folder + " is open to other users (mode " + mode + "); it is not used", folder,
                 FileCause::PermissionDenied};
        return false;
    }
    return true;
}

FileLock::FileLock(const std::string& path, FileError& error) {
    (void)lock(path, Wait::Yes, error);
}

FileLock::~FileLock() {
    release();
}

FileLock::FileLock(FileLock&& other) noexcept : m_handle(std::exchange(other.m_handle, kNone)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        m_handle = std::exchange(other.m_handle, kNone);
    }
    return *this;
}

void FileLock::release() {
    if (held())
        ::close(static_cast<int>(m_handle));  // the only descriptor: releases the lock
    m_handle = kNone;
}

FileLock::Status FileLock::lock(const std::string& path, Wait wait, FileError& error,
                                unsigned createMode) {
    release();
    FileError opened;
    int fd = openRegular(path, O_RDWR | (createMode != 0 ? O_CREAT : 0), createMode, "cannot open",
                         opened);
    // Another account's file in a shared folder: a lock needs no right to write.
    if (fd < 0 && errno == EACCES)
        fd = openRegular(path, O_RDONLY, 0, "cannot open", opened);
    if (fd < 0) {
        error = opened;
        return Status::Failed;
    }
    const int operation = wait == Wait::Yes ? LOCK_EX : LOCK_EX | LOCK_NB;
    while (::flock(fd, operation) != 0) {
        if (errno == EINTR)
            continue;
        const bool busy = errno == EWOULDBLOCK;
        if (!busy)
            error = osError("cannot lock", path);
        ::close(fd);
        return busy ? Status::Busy : Status::Failed;
    }
    m_handle = fd;
    return Status::Held;
}

bool readWholeFile(const std::string& file, std::size_t maxBytes, std::string& text,
                   FileError& error) {
    text.clear();
    FileError opened;
    const int fd = openRegular(file, O_RDONLY, 0, "cannot read", opened);
    if (fd < 0) {
        if (errno == ENOENT)
            return true;
        error = opened;
        return false;
    }
    char chunk[4096];
    while (text.size() < maxBytes) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = osError("cannot read", file);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        text.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

bool replaceWholeFile(const std::string& file, const std::string& text, FileError& error) {
    const std::string folder = folderOf(file);
    std::string temp = folder + "/." + file.substr(file.rfind('/') + 1) + "-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        error = osError("cannot write", folder);
        return false;
    }
    bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(temp.c_str(), file.c_str()) == 0) {
        // The rename itself must reach the disk before the caller goes on.
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
        return true;
    }
    if (!ok && savedErrno != 0)
        errno = savedErrno;
    error = osError("cannot write", file);
    ::unlink(temp.c_str());
    return false;
}

bool removeFile(const std::string& file, FileError& error) {
    if (::unlink(file.c_str()) != 0 && errno != ENOENT) {
        error = osError("cannot remove", file);
        return false;
    }
    return true;
}

NewFile createNewFile(const std::string& file, FileError& error) {
    // O_EXCL: a link already there counts as something of that name and is not followed.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return NewFile::Created;
    }
    if (errno == EEXIST)
        return NewFile::Exists;
    error = osError("cannot create", file);
    return NewFile::Failed;
}

std::string accountName(unsigned uid) {
    if (const passwd* pw = ::getpwuid(uid))
        return pw->pw_name;
    return "uid " + std::to_string(uid);
}

FileCause fileCauseOf(int error) {
    return causeOf(error);
}

unsigned long currentProcessId() {
    return static_cast<unsigned long>(::getpid());
}

}  // namespace qx4t
