// The serial port on the Win32 communications API with overlapped I/O. The receive side is
// armed with the purge that opens every transaction, so the first character of the reply is
// caught by the pending WaitCommEvent however soon it comes after the write.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "common/WindowsPorts.h"
#include "platform/Clock.h"
#include "platform/serial/SerialPort.h"
#include "platform/serial/Win32LineSettings.h"
#include "platform/text/Utf8.h"

namespace qx4t::serial {

namespace detail {

bool dcbMatches(const DCB& have) {
    return have.BaudRate == CBR_9600 && have.Parity == ODDPARITY && have.StopBits == ONESTOPBIT &&
           have.ByteSize == 8;
}

DCB wantedDcb(const DCB& have) {
    DCB want = have;
    want.BaudRate = CBR_9600;
    want.Parity = ODDPARITY;
    want.StopBits = ONESTOPBIT;
    want.ByteSize = 8;
    return want;
}

bool timeoutsMatch(const COMMTIMEOUTS& have) {
    const auto ms = static_cast<DWORD>(kCommTimeout.count());
    return have.ReadIntervalTimeout == ms && have.WriteTotalTimeoutConstant == ms;
}

COMMTIMEOUTS wantedTimeouts(const COMMTIMEOUTS& have) {
    const auto ms = static_cast<DWORD>(kCommTimeout.count());
    COMMTIMEOUTS want = have;
    want.ReadIntervalTimeout = ms;
    want.ReadTotalTimeoutConstant = ms;
    want.WriteTotalTimeoutConstant = ms;
    return want;
}

}  // namespace detail

namespace {

// After a write is cancelled, how long its completion routine may take to report back.
constexpr std::chrono::milliseconds kCancelGrace{1000};

std::string systemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text != nullptr ? text : L"", n);
    ::LocalFree(text);
    while (!message.empty() &&
           (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.'))
        message.pop_back();
    if (message.empty())
        return "system error " + std::to_string(error);
    return wideToUtf8(message);
}

OpenStatus statusFor(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_UNIT:
            return OpenStatus::NotFound;
        // A COM port opened without sharing is refused to everyone else with access denied:
        // another program holds it.
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return OpenStatus::Busy;
        default:
            return OpenStatus::Failed;
    }
}

DWORD milliseconds(std::chrono::milliseconds d) {
    return static_cast<DWORD>(std::clamp<std::chrono::milliseconds::rep>(d.count(), 0, 0x7FFFFFFF));
}

// One write in flight. It lives on the heap because a completion routine that comes late must
// still find it; the bytes are copied for the same reason.
struct PendingWrite {
    OVERLAPPED overlapped{};
    bool completed = false;
    DWORD error = 0;
    DWORD transferred = 0;
    std::string bytes;
};

void CALLBACK onWriteDone(DWORD error, DWORD transferred, OVERLAPPED* overlapped) {
    // WriteFileEx leaves hEvent to the caller: it carries the record back here.
    auto* write = static_cast<PendingWrite*>(overlapped->hEvent);
    write->completed = true;
    write->error = error;
    write->transferred = transferred;
}

// Sleeps alertably until the write's completion routine has run or the deadline passes.
bool awaitCompletion(const PendingWrite& write, const Deadline& deadline) {
    while (!write.completed) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline.remaining());
        if (left.count() <= 0)
            return false;
        ::SleepEx(milliseconds(left), TRUE);
    }
    return true;
}

class Win32Port final : public SerialPort {
public:
    Win32Port() { m_wait.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    ~Win32Port() override {
        close();
        if (m_wait.hEvent != nullptr)
            ::CloseHandle(m_wait.hEvent);
    }
    Win32Port(const Win32Port&) = delete;
    Win32Port& operator=(const Win32Port&) = delete;

    OpenResult open(const std::string& path) override {
        close();
        m_hungUp = false;
        if (m_wait.hEvent == nullptr)
            return {OpenStatus::Failed, systemMessage(::GetLastError())};
        // Share mode 0: nobody else may open the port while we hold it.
        HANDLE h =
            ::CreateFileW(utf8ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                          OPEN_EXISTING, FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (statusFor(error) == OpenStatus::Busy)
                return {OpenStatus::Busy, "the port is in use by another program"};
            return {statusFor(error), systemMessage(error)};
        }
        if (::GetFileType(h) != FILE_TYPE_CHAR) {
            ::CloseHandle(h);
            return {OpenStatus::Failed, "not a serial device"};
        }
        m_handle = h;
        return {};
    }

    bool configure() override {
        if (!isOpen())
            return false;
        if (!::SetupComm(m_handle, detail::kQueueBytes, detail::kQueueBytes))
            return false;
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        // A port that cannot report its state still gets ours written below.
        (void)::GetCommState(m_handle, &dcb);
        if (!detail::dcbMatches(dcb)) {
            DCB want = detail::wantedDcb(dcb);
            if (!::SetCommState(m_handle, &want))
                return false;
        }
        COMMTIMEOUTS timeouts{};
        (void)::GetCommTimeouts(m_handle, &timeouts);
        if (!detail::timeoutsMatch(timeouts)) {
            COMMTIMEOUTS want = detail::wantedTimeouts(timeouts);
            if (!::SetCommTimeouts(m_handle, &want))
                return false;
        }
        return true;
    }

    void close() override {
        if (!isOpen())
            return;
        endWait();
        ::CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

    bool isOpen() const override { return m_handle != INVALID_HANDLE_VALUE; }
    // Handles are 32-bit values even in a 64-bit process; the closed port's reads -1.
    int handle() const override { return static_cast<int>(HandleToLong(m_handle)); }

    bool purge() override {
        if (!isOpen())
            return false;
        endWait();
        DWORD errors = 0;
        (void)::ClearCommError(m_handle, &errors, nullptr);  // clears a pending line error
        if (!::PurgeComm(m_handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR))
            return false;
        return armWait();
    }

    WriteResult write(const void* data, std::size_t size,
                      std::chrono::milliseconds budget) override {
        WriteResult result;
        if (!isOpen() || size > MAXDWORD) {
            result.status = WriteStatus::Error;
            return result;
        }
        auto pending = std::make_unique<PendingWrite>();
        pending->bytes.assign(static_cast<const char*>(data), size);
        pending->overlapped.hEvent = pending.get();
        Deadline deadline(SteadyClock::instance(), budget);
        ::SetLastError(ERROR_SUCCESS);
        if (!::WriteFileEx(m_handle, pending->bytes.data(), static_cast<DWORD>(size),
                           &pending->overlapped, onWriteDone)) {
            noteFailure();
            result.status = WriteStatus::Error;
            return result;
        }
        const DWORD queued = ::GetLastError();
        if (queued != ERROR_SUCCESS && queued != ERROR_IO_PENDING) {
            ::CancelIo(m_handle);
            settle(std::move(pending));
            noteFailure();
            result.status = WriteStatus::Error;
            return result;
        }
        if (!awaitCompletion(*pending, deadline)) {
            ::CancelIo(m_handle);
            settle(std::move(pending));
            result.status = WriteStatus::Timeout;
            return result;
        }
        result.written = pending->transferred;
        if (pending->error != ERROR_SUCCESS || pending->transferred != size) {
            noteFailure();
            result.status = WriteStatus::Error;
        }
        return result;
    }

    WaitStatus waitReadable(std::chrono::milliseconds timeout) override {
        if (!isOpen())
            return WaitStatus::Error;
        if (!m_waiting) {
            const long queued = bytesWaiting();
            if (queued < 0)
                return WaitStatus::Error;
            if (queued > 0)
                return WaitStatus::Ready;
            if (!armWait())
                return failed();
            if (!m_waiting)  // the event came at once
                return (m_mask & EV_RXCHAR) ? WaitStatus::Ready : failed();
        }
        const DWORD waited = ::WaitForSingleObject(m_wait.hEvent, milliseconds(timeout));
        if (waited == WAIT_TIMEOUT)
            return WaitStatus::Timeout;
        if (waited != WAIT_OBJECT_0)
            return WaitStatus::Error;
        DWORD unused = 0;
        const BOOL done = ::GetOverlappedResult(m_handle, &m_wait, &unused, FALSE);
        m_waiting = false;
        // Any other event, or none, is not the start of a reply.
        return done && (m_mask & EV_RXCHAR) ? WaitStatus::Ready : failed();
    }

    long bytesWaiting() override {
        if (!isOpen())
            return -1;
        DWORD errors = 0;
        COMSTAT status{};
        if (!::ClearCommError(m_handle, &errors, &status)) {
            noteFailure();
            return -1;
        }
        return static_cast<long>(status.cbInQue);
    }

    long read(void* data, std::size_t size) override {
        const long queued = bytesWaiting();
        if (queued <= 0 || size == 0)
            return queued < 0 ? -1 : 0;
        // Only what has arrived: asking for more would wait on the read time-outs.
        const auto want = static_cast<DWORD>(std::min<std::size_t>(size, queued));
        OVERLAPPED overlapped{};
        overlapped.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (overlapped.hEvent == nullptr)
            return -1;
        DWORD got = 0;
        BOOL ok = ::ReadFile(m_handle, data, want, &got, &overlapped);
        if (!ok && ::GetLastError() == ERROR_IO_PENDING)
            ok = ::GetOverlappedResult(m_handle, &overlapped, &got, TRUE);
        else if (ok)
            ok = ::GetOverlappedResult(m_handle, &overlapped, &got, FALSE);
        ::CloseHandle(overlapped.hEvent);
        if (!ok) {
            noteFailure();
            return -1;
        }
        return static_cast<long>(got);
    }

    bool hungUp() const override { return m_hungUp; }

private:
    // After a read, write or wait failed: the port is asked, without waiting, whether its device
    // is still there. Only an answer that says it is gone counts as a hang-up; a cancelled wait
    // (ERROR_OPERATION_ABORTED) on a device still present stays a failure, never silence.
    void noteFailure() {
        DWORD errors = 0;
        DWORD modem = 0;
        if (!::ClearCommError(m_handle, &errors, nullptr)) {
            m_hungUp = m_hungUp || ComDeviceGone(::GetLastError());
            if (m_hungUp)
                return;
        }
        if (!::GetCommModemStatus(m_handle, &modem))
            m_hungUp = m_hungUp || ComDeviceGone(::GetLastError());
    }

    WaitStatus failed() {
        noteFailure();
        return WaitStatus::Error;
    }

    // Asks to be told of the next received character. m_waiting is false afterwards when the
    // event was already there (m_mask says which).
    bool armWait() {
        m_mask = 0;
        if (!::SetCommMask(m_handle, EV_RXCHAR))
            return false;
        if (::WaitCommEvent(m_handle, &m_mask, &m_wait)) {
            m_waiting = false;
            return true;
        }
        if (::GetLastError() != ERROR_IO_PENDING)
            return false;
        m_waiting = true;
        return true;
    }

    // Ends a pending event wait: a new mask completes it, and the result is collected so that
    // the OVERLAPPED is free again.
    void endWait() {
        if (!m_waiting)
            return;
        ::SetCommMask(m_handle, 0);
        DWORD unused = 0;
        if (::WaitForSingleObject(m_wait.hEvent, milliseconds(kCancelGrace)) != WAIT_OBJECT_0)
            ::CancelIo(m_handle);
        (void)::GetOverlappedResult(m_handle, &m_wait, &unused, TRUE);
        m_waiting = false;
    }

    // A cancelled write reports back through its completion routine; until it has, the record
    // must stay. One that never reports is left behind rather than freed under the driver.
    static void settle(std::unique_ptr<PendingWrite> write) {
        Deadline grace(SteadyClock::instance(), kCancelGrace);
        if (!awaitCompletion(*write, grace))
            (void)write.release();
    }

    HANDLE m_handle = INVALID_HANDLE_VALUE;
    OVERLAPPED m_wait{};
    DWORD m_mask = 0;
    bool m_waiting = false;
    bool m_hungUp = false;
};

}  // namespace

std::unique_ptr<SerialPort> makeSystemPort() {
    return std::make_unique<Win32Port>();
}

std::wstring_view devicePrefix() {
    return L"\\\\.\\";
}

std::wstring_view defaultDevicePath() {
    return L"\\\\.\\COM10";
}

}  // namespace qx4t::serial
