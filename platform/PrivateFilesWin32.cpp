#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <utility>

#include "platform/PrivateFiles.h"
#include "platform/text/Utf8.h"

namespace qx4t {
namespace {

FileCause causeOf(DWORD code) {
    switch (code) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileCause::NoSpace;
        case ERROR_ACCESS_DENIED:
            return FileCause::PermissionDenied;
        case ERROR_WRITE_PROTECT:
            return FileCause::ReadOnly;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_DIRECTORY:
            return FileCause::NotFound;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return FileCause::Busy;
        case ERROR_CRC:
        case ERROR_IO_DEVICE:
        case ERROR_SECTOR_NOT_FOUND:
            return FileCause::IoError;
        default:
            return FileCause::Other;
    }
}

// The system's words for the last error, without the line break it ends them with.
FileError osError(const std::string& what, const std::string& path, DWORD code = ::GetLastError()) {
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring words = n != 0 && buffer != nullptr ? std::wstring(buffer, n) : L"";
    if (buffer != nullptr)
        ::LocalFree(buffer);
    while (!words.empty() &&
           (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' '))
        words.pop_back();
    if (words.empty())
        words = L"error " + std::to_wstring(code);
    return {what + " " + path + ": " + wideToUtf8(words), path, causeOf(code)};
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// "C:\..." or "\\server\share\...".
bool isAbsolute(const std::string& path) {
    return (path.size() >= 3 && path[1] == ':' && isSeparator(path[2])) ||
           (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]));
}

// The file itself, never what a link or junction in its place points at: one there is refused,
// as is a directory.
HANDLE openFile(const std::string& file, DWORD access, DWORD disposition) {
    const HANDLE handle = ::CreateFileW(
        utf8ToWide(file).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return handle;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        ::CloseHandle(handle);
        ::SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

bool writeAll(HANDLE file, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1 << 20));
        DWORD written = 0;
        if (!::WriteFile(file, text.data() + done, chunk, &written, nullptr))
            return false;
        if (written == 0) {
            ::SetLastError(ERROR_DISK_FULL);
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace

bool makePrivateFolders(const std::string& folder, FileError& error) {
    if (!isAbsolute(folder)) {
        error = {"cannot create " + folder + ": not an absolute path", folder, FileCause::NotFound};
        return false;
    }
    // Each level as needed, from the first after the drive or the share.
    std::size_t start = 3;
    if (folder[1] != ':') {
        const std::size_t server = folder.find_first_of("\\/", 2);
        const std::size_t share =
            server == std::string::npos ? server : folder.find_first_of("\\/", server + 1);
        if (share == std::string::npos)
            return true;  // a share's root is there or not; it is not ours to make
        start = share + 1;
    }
    for (std::size_t at = folder.find_first_of("\\/", start);;
         at = folder.find_first_of("\\/", at + 1)) {
        const std::string level = folder.substr(0, at);
        if (!isSeparator(level.back()) && !::CreateDirectoryW(utf8ToWide(level).c_str(), nullptr)) {
            const DWORD code = ::GetLastError();
            const DWORD attributes = ::GetFileAttributesW(utf8ToWide(level).c_str());
            if (code != ERROR_ALREADY_EXISTS || attributes == INVALID_FILE_ATTRIBUTES ||
                (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                error = osError("cannot create", level,
                                code == ERROR_ALREADY_EXISTS ? ERROR_DIRECTORY : code);
                return false;
            }
        }
        if (at == std::string::npos)
            return checkPrivateFolder(folder, error);
    }
}

// The user's own local application data inherits access to the user alone; what can go wrong
// here is a junction or link in the folder's place.
bool checkPrivateFolder(const std::string& folder, FileError& error) {
    const DWORD attributes = ::GetFileAttributesW(utf8ToWide(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = osError("cannot examine", folder);
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        error = {folder + " is a link or junction, not a folder of this user's own", folder,
                 FileCause::PermissionDenied};
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        error = {folder + " is not a folder", folder, FileCause::NotFound};
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
        ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));  // releases the lock
    m_handle = kNone;
}

FileLock::Status FileLock::lock(const std::string& path, Wait wait, FileError& error,
                                unsigned createMode) {
    release();
    HANDLE file =
        openFile(path, GENERIC_READ | GENERIC_WRITE, createMode != 0 ? OPEN_ALWAYS : OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED)
        file = openFile(path, GENERIC_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) {
        error = osError("cannot open", path);
        return Status::Failed;
    }
    // One byte far past any end a file of ours reaches: a lock on Windows bars other handles
    // from the bytes it covers, and the file locked may be one that is being written (a run's
    // log).
    OVERLAPPED at{};
    at.Offset = MAXDWORD - 1;
    at.OffsetHigh = 0x7FFFFFFF;
    const DWORD flags =
        LOCKFILE_EXCLUSIVE_LOCK | (wait == Wait::No ? LOCKFILE_FAIL_IMMEDIATELY : 0);
    if (!::LockFileEx(file, flags, 0, 1, 0, &at)) {
        const DWORD code = ::GetLastError();
        const bool busy = code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING;
        if (!busy)
            error = osError("cannot lock", path, code);
        ::CloseHandle(file);
        return busy ? Status::Busy : Status::Failed;
    }
    m_handle = reinterpret_cast<std::intptr_t>(file);
    return Status::Held;
}

bool readWholeFile(const std::string& file, std::size_t maxBytes, std::string& text,
                   FileError& error) {
    text.clear();
    const HANDLE handle = openFile(file, GENERIC_READ, OPEN_EXISTING);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
            return true;
        error = osError("cannot read", file, code);
        return false;
    }
    char chunk[4096];
    while (text.size() < maxBytes) {
        DWORD n = 0;
        if (!::ReadFile(handle, chunk, sizeof chunk, &n, nullptr)) {
            error = osError("cannot read", file);
            ::CloseHandle(handle);
            return false;
        }
        if (n == 0)
            break;
        text.append(chunk, n);
    }
    ::CloseHandle(handle);
    return true;
}

bool replaceWholeFile(const std::string& file, const std::string& text, FileError& error) {
    static std::atomic<unsigned> counter{0};
    const auto slash = file.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "." : file.substr(0, slash);
    const std::string leaf = slash == std::string::npos ? file : file.substr(slash + 1);
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::string temp;
    for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        temp = folder + "\\." + leaf + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
               std::to_string(counter++);
        handle = openFile(temp, GENERIC_WRITE, CREATE_NEW);
        if (handle == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) {
            error = osError("cannot write", folder);
            return false;
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        error = osError("cannot write", folder);
        return false;
    }
    bool ok = writeAll(handle, text) && ::FlushFileBuffers(handle);
    DWORD code = ok ? ERROR_SUCCESS : ::GetLastError();
    ok = ::CloseHandle(handle) && ok;
    if (ok && ::MoveFileExW(utf8ToWide(temp).c_str(), utf8ToWide(file).c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (code == ERROR_SUCCESS)
        code = ::GetLastError();
    error = osError("cannot write", file, code);
    ::DeleteFileW(utf8ToWide(temp).c_str());
    return false;
}

bool removeFile(const std::string& file, FileError& error) {
    if (!::DeleteFileW(utf8ToWide(file).c_str())) {
        const DWORD code = ::GetLastError();
        if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) {
            error = osError("cannot remove", file, code);
            return false;
        }
    }
    return true;
}

NewFile createNewFile(const std::string& file, FileError& error) {
    const HANDLE handle = openFile(file, GENERIC_WRITE, CREATE_NEW);
    if (handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle);
        return NewFile::Created;
    }
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS)
        return NewFile::Exists;
    error = osError("cannot create", file, code);
    return NewFile::Failed;
}

unsigned long currentProcessId() {
    return ::GetCurrentProcessId();
}

}  // namespace qx4t
