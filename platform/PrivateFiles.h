#pragma once
// Files the tool keeps for itself between runs (the record of updates in progress, run logs):
// folders only the user can enter, an exclusive lock that several processes can wait on, and
// files replaced whole so that a reader or a crash never sees half of one. Paths are UTF-8.
// Errors name the path, sort the cause for the user, and give the operating system's words for
// the logs. One file per platform:
// PrivateFiles.cpp (POSIX), PrivateFilesWin32.cpp (Windows).
#include <cstddef>
#include <cstdint>
#include <string>

namespace qx4t {

// Why a file could not be made, read or written, in the terms the user is told.
enum class FileCause { NoSpace, PermissionDenied, ReadOnly, NotFound, Busy, IoError, Other };

struct FileError {
    std::string text;  // what failed, the path and the operating system's words: for logs
    std::string path;
    FileCause cause = FileCause::Other;
};

// Makes `folder` and any missing parents (0700 on POSIX; inheriting the user's own folder's
// access on Windows), then holds the folder itself to checkPrivateFolder. `folder` must be
// absolute. Every folder the tool keeps files of its own in is made through this.
[[nodiscard]] bool makePrivateFolders(const std::string& folder, FileError& error);
// Whether `folder` is one only this user can change: a directory and not a symbolic link (on
// Windows no reparse point), owned by the effective user and writable by nobody else, in
// folders that no other user but root can change (POSIX).
// The error names the folder and says which it is not; a missing folder is NotFound.
[[nodiscard]] bool checkPrivateFolder(const std::string& folder, FileError& error);

// An exclusive lock on a file that is never removed while in use (removing it would let a
// third process lock a fresh file while a second still waits on the old one). The file is
// opened without following a symbolic link and must be a regular file. The lock goes with the
// process if it dies, and with this object.
class FileLock {
public:
    enum class Status { Held, Busy, Failed };
    enum class Wait { Yes, No };

    FileLock() = default;
    // Waits for the lock on `path`, created 0600 if missing; held() tells the outcome.
    FileLock(const std::string& path, FileError& error);
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Releases any lock held, then locks `path`: waiting for it, or Busy at once when another
    // open of the file has it (another process, or another FileLock of this one). A missing
    // file is created with `createMode` (POSIX permissions), or is Failed when it is 0. A file
    // this user may not write is opened for reading: the lock works the same.
    [[nodiscard]] Status lock(const std::string& path, Wait wait, FileError& error,
                              unsigned createMode = 0600);
    void release();
    [[nodiscard]] bool held() const { return m_handle != kNone; }
    // The open file: a descriptor on POSIX, a HANDLE on Windows.
    [[nodiscard]] std::intptr_t handle() const { return m_handle; }

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t m_handle = kNone;
};

// Files are never opened through a symbolic link: one where a file of ours goes is an error.
// Reads at most maxBytes of `file` into `text`; a missing file reads as empty.
[[nodiscard]] bool readWholeFile(const std::string& file, std::size_t maxBytes, std::string& text,
                                 FileError& error);
// Replaces `file` with `text` through a temporary file beside it, flushed to the disk before it
// takes the file's place. On failure the old file stays as it was and no temporary is left.
[[nodiscard]] bool replaceWholeFile(const std::string& file, const std::string& text,
                                    FileError& error);
// Removes `file`; a missing file is no error.
[[nodiscard]] bool removeFile(const std::string& file, FileError& error);

enum class NewFile { Created, Exists, Failed };
// Creates `file` empty, only when nothing of that name exists yet.
[[nodiscard]] NewFile createNewFile(const std::string& file, FileError& error);

[[nodiscard]] unsigned long currentProcessId();

#ifndef _WIN32
// The cause the user is told for an errno value.
[[nodiscard]] FileCause fileCauseOf(int error);
// The name of the account with user id `uid`; "uid N" when the user database has none.
[[nodiscard]] std::string accountName(unsigned uid);
#endif

}  // namespace qx4t
