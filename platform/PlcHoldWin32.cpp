#include <windows.h>

#include <cwctype>
#include <filesystem>
#include <system_error>

#include "platform/PlcFileName.h"
#include "platform/PlcHold.h"
#include "platform/text/Utf8.h"

namespace qx4t {
namespace {

// The holder's line is short; anything longer is not ours.
constexpr DWORD kMaxHolderBytes = 256;
// The locked byte lies far past the holder's line, which others must still be able to read
// (a locked range cannot be read through another handle).
constexpr DWORD kLockOffset = 0xFFFFFFFF;
// Environment values read here are paths.
constexpr DWORD kMaxPathChars = MAX_PATH * 4;

std::wstring environment(const wchar_t* name) {
    wchar_t buffer[kMaxPathChars] = {};
    const DWORD n = ::GetEnvironmentVariableW(name, buffer, kMaxPathChars);
    return n == 0 || n >= kMaxPathChars ? std::wstring() : std::wstring(buffer, n);
}

// "C:\..." or "\\server\...": a relative folder would depend on where the tool was started.
bool isAbsolute(const std::wstring& path) {
    return (path.size() > 2 && std::iswalpha(path[0]) && path[1] == L':' &&
            (path[2] == L'\\' || path[2] == L'/')) ||
           path.starts_with(L"\\\\");
}

std::string systemText(const std::string& what, const std::wstring& path) {
    const DWORD error = ::GetLastError();
    return what + " " + wideToUtf8(path) + ": system error " + std::to_string(error);
}

std::string userName() {
    wchar_t name[kMaxHolderBytes] = {};
    DWORD chars = kMaxHolderBytes;
    return ::GetUserNameW(name, &chars) ? wideToUtf8(name) : std::string("unknown");
}

HANDLE handleOf(int fd) {
    return LongToHandle(fd);
}

OVERLAPPED lockRange() {
    OVERLAPPED at{};
    at.Offset = kLockOffset;
    return at;
}

}  // namespace

std::string defaultPlcHoldFolder() {
    if (const std::wstring dir = environment(L"QX4T_HOLD_DIR"); isAbsolute(dir))
        return wideToUtf8(dir);
    const std::wstring data = environment(L"ProgramData");
    return data.empty() ? std::string() : wideToUtf8(data + L"\\QX4T\\holds");
}

bool PlcHold::held() const {
    return m_fd != -1;
}

PlcHold::~PlcHold() {
    release();
}

void PlcHold::release() {
    if (m_fd == -1)
        return;
    const HANDLE h = handleOf(m_fd);
    // Emptied first, so a reader never names a holder that has gone.
    LARGE_INTEGER start{};
    if (::SetFilePointerEx(h, start, nullptr, FILE_BEGIN))
        (void)::SetEndOfFile(h);
    OVERLAPPED at = lockRange();
    (void)::UnlockFileEx(h, 0, 1, 0, &at);
    ::CloseHandle(h);
    m_fd = -1;
}

PlcHold::Status PlcHold::acquire(const std::string& folder, const std::string& identityKey,
                                 const std::string& program) {
    release();
    m_holder.clear();
    m_error.clear();
    if (folder.empty())
        return Status::Held;
    const std::wstring dir = utf8ToWide(folder);
    std::error_code ec;
    // A folder made under %ProgramData% inherits its rights: every account may add files.
    std::filesystem::create_directories(std::filesystem::path(dir), ec);
    if (!std::filesystem::is_directory(std::filesystem::path(dir), ec)) {
        m_error = "cannot create " + folder + (ec ? ": " + ec.message() : std::string());
        return Status::Unavailable;
    }
    const std::wstring path = dir + L"\\" + utf8ToWide(plcFileName(identityKey, ".lock"));
    constexpr DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    constexpr DWORD flags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                             OPEN_ALWAYS, flags, nullptr);
    // Another account's file may be readable only; reading is enough to lock it.
    if (h == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED)
        h = ::CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, flags,
                          nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        m_error = systemText("cannot open", path);
        return Status::Unavailable;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(h) != FILE_TYPE_DISK || !::GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
        m_error = wideToUtf8(path) + " is not a plain file";
        ::CloseHandle(h);
        return Status::Unavailable;
    }
    OVERLAPPED at = lockRange();
    if (!::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const bool busy = ::GetLastError() == ERROR_LOCK_VIOLATION;
        if (busy) {
            char text[kMaxHolderBytes] = {};
            OVERLAPPED from{};
            DWORD n = 0;
            m_holder = ::ReadFile(h, text, kMaxHolderBytes - 1, &n, &from) && n > 0
                           ? std::string(text, n)
                           : "another program";
            while (!m_holder.empty() && (m_holder.back() == '\n' || m_holder.back() == '\r'))
                m_holder.pop_back();
        } else {
            m_error = systemText("cannot lock", path);
        }
        ::CloseHandle(h);
        return busy ? Status::Busy : Status::Unavailable;
    }
    const std::string line = program + " (pid " + std::to_string(::GetCurrentProcessId()) +
                             ", user " + userName() + ")\n";
    LARGE_INTEGER start{};
    DWORD written = 0;
    OVERLAPPED to{};
    if (!::SetFilePointerEx(h, start, nullptr, FILE_BEGIN) || !::SetEndOfFile(h) ||
        !::WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, &to)) {
        // The hold stands without its name; the other tool then says "another program".
    }
    // Handles fit in 32 bits even in a 64-bit process.
    m_fd = static_cast<int>(HandleToLong(h));
    return Status::Held;
}

}  // namespace qx4t
