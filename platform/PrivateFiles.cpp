#include "platform/PrivateFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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
    return {what + " " + path + ": " + std::strerror(code), path, causeOf(code)};
}

std::string folderOf(const std::string& file) {
    const auto slash = file.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
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
            return true;
    }
}

FileLock::FileLock(const std::string& path, FileError& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = osError("cannot open", path);
        return;
    }
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            error = osError("cannot lock", path);
            ::close(fd);
            return;
        }
    }
    m_handle = fd;
}

FileLock::~FileLock() {
    if (held())
        ::close(static_cast<int>(m_handle));  // releases the lock
}

bool readWholeFile(const std::string& file, std::size_t maxBytes, std::string& text,
                   FileError& error) {
    text.clear();
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return true;
        error = osError("cannot read", file);
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
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
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
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return NewFile::Created;
    }
    if (errno == EEXIST)
        return NewFile::Exists;
    error = osError("cannot create", file);
    return NewFile::Failed;
}

unsigned long currentProcessId() {
    return static_cast<unsigned long>(::getpid());
}

}  // namespace qx4t
