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
// access on Windows). `folder` must be absolute.
[[nodiscard]] bool makePrivateFolders(const std::string& folder, FileError& error);

// Waits for, then holds until destroyed, an exclusive lock on the file at `path`, created if
// missing and never removed (removing it would let a third process lock a fresh file while a
// second still waits on the old one). The lock goes with the process if it dies.
class FileLock {
public:
    FileLock(const std::string& path, FileError& error);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    [[nodiscard]] bool held() const { return m_handle != kNone; }

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t m_handle = kNone;
};

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

}  // namespace qx4t
