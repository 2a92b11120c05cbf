#pragma once
// One interface for a serial line to the PLC. The termios implementation lives in
// TermiosPort.cpp, the Win32 one in Win32Port.cpp; tests and the in-process simulator provide their
// own. Callers never see an OS header or an errno: failures come back as the small enums below,
// with the OS reason kept as text for the command line's messages.
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace qx4t::serial {

enum class OpenStatus {
    Ok,
    NotFound,          // no such device
    Busy,              // another process holds the port, locked or merely open
    PermissionDenied,  // the user may not open it (on Linux: not in the dialout group)
    Failed,            // any other reason
};

struct OpenResult {
    OpenStatus status = OpenStatus::Ok;
    std::string reason;  // the OS's own words, for messages; empty on success
    [[nodiscard]] bool ok() const { return status == OpenStatus::Ok; }
};

enum class WaitStatus { Ready, Timeout, Error };
enum class WriteStatus { Ok, Timeout, Error };

struct WriteResult {
    WriteStatus status = WriteStatus::Ok;
    std::size_t written = 0;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens a device path such as "/dev/ttyACM0" for exclusive use by this process: Busy when
    // another process holds its lock or has it open at all (its own server aside).
    [[nodiscard]] virtual OpenResult open(const std::string& path) = 0;
    // 9600 baud, 8 data bits, odd parity, 1 stop bit, raw; the settings are written only when
    // what the port has differs from them.
    [[nodiscard]] virtual bool configure() = 0;
    virtual void close() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;
    // Identifies the open port (the descriptor for a real one); -1 while closed.
    [[nodiscard]] virtual int handle() const = 0;
    // The device number of what is open ("<major>:<minor>"), so that the device actually
    // opened can be told from the one a name was looked up for; empty when unknown or closed.
    [[nodiscard]] virtual std::string deviceNumber() const { return {}; }
    // Discards what is pending in both directions.
    [[nodiscard]] virtual bool purge() = 0;
    // Writes all bytes or gives up when the deadline passes.
    [[nodiscard]] virtual WriteResult write(const void* data, std::size_t size,
                                            std::chrono::milliseconds deadline) = 0;
    // Waits until at least one byte can be read, at most `timeout`.
    [[nodiscard]] virtual WaitStatus waitReadable(std::chrono::milliseconds timeout) = 0;
    // Bytes in the input queue, or -1 on error.
    [[nodiscard]] virtual long bytesWaiting() = 0;
    // Reads up to `size` bytes that have already arrived, without waiting; -1 on error.
    [[nodiscard]] virtual long read(void* data, std::size_t size) = 0;
    // Bytes written that the device has not taken yet, or -1 on error (a line that hung up).
    // A port that never holds output back reports 0.
    [[nodiscard]] virtual long bytesUnsent() { return 0; }
    // True once a wait or a read failed because the other side hung up (a USB device that went
    // away, a simulator that closed its side), rather than for any other reason; false again
    // after the next open. A PLC that restarts right after a request that needs no answer
    // hangs up like this. On Windows a failed write is asked about too, and only a port that
    // then says its device is gone counts (common/WindowsPorts.h, ComDeviceGone).
    [[nodiscard]] virtual bool hungUp() const { return false; }
};

using PortFactory = std::function<std::unique_ptr<SerialPort>()>;

// The real port over termios.
[[nodiscard]] std::unique_ptr<SerialPort> makeTermiosPort();

// The machine's own serial port: termios on Linux, the Win32 communications API on Windows.
[[nodiscard]] std::unique_ptr<SerialPort> makeSystemPort();
// What stands before a port name as discovery lists it to make the path open() takes: "/dev/"
// on Linux, "\\.\" on Windows (which also reaches COM10 and above).
[[nodiscard]] std::wstring_view devicePrefix();
// The path a link holds before its first open: COM10 by the platform's naming.
[[nodiscard]] std::wstring_view defaultDevicePath();

}  // namespace qx4t::serial
