// The serial port over termios. Every blocking call goes through poll() with a deadline, so
// the link's time-outs are the only waits; EINTR is retried in retryOnSignal() alone.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "platform/Clock.h"
#include "platform/ports/PortEnumerator.h"
#include "platform/serial/LineSettings.h"
#include "platform/serial/PortAccess.h"
#include "platform/serial/SerialPort.h"

namespace qx4t::serial {

namespace detail {

termios wantedLineSettings(const termios& current) {
    termios t = current;
    t.c_iflag = 0;
    t.c_oflag = 0;
    t.c_lflag = 0;
    t.c_cflag = CS8 | PARENB | PARODD | CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    return t;
}

bool lineSettingsMatch(const termios& have, const termios& want, tcflag_t ignored) {
    return have.c_iflag == want.c_iflag && have.c_oflag == want.c_oflag &&
           have.c_lflag == want.c_lflag && (have.c_cflag & ~ignored) == (want.c_cflag & ~ignored) &&
           have.c_cc[VMIN] == want.c_cc[VMIN] && have.c_cc[VTIME] == want.c_cc[VTIME] &&
           cfgetispeed(&have) == cfgetispeed(&want) && cfgetospeed(&have) == cfgetospeed(&want);
}

tcflag_t unsupportedControlFlags(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return 0;
    // Unix98 pseudo-terminal slaves have majors 136 to 143.
    unsigned major = ::major(st.st_rdev);
    return (major >= 136 && major <= 143) ? tcflag_t{PARENB} : tcflag_t{0};
}

}  // namespace detail

namespace {

// The one place where a call interrupted by a signal is tried again. The call is re-evaluated
// each time, so a poll() recomputes what is left of its deadline.
template <class Call>
auto retryOnSignal(Call call) {
    for (;;) {
        auto result = call();
        if (result != -1 || errno != EINTR)
            return result;
    }
}

int pollTimeoutMs(const Deadline& deadline) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline.remaining()).count();
    return left > 1000000 ? 1000000 : static_cast<int>(left);
}

// Waits for `events` on fd until the deadline; returns revents, 0 on time-out, -1 on error.
int waitFor(int fd, short events, const Deadline& deadline) {
    pollfd p{fd, events, 0};
    int n = retryOnSignal([&] { return ::poll(&p, 1, pollTimeoutMs(deadline)); });
    if (n < 0)
        return -1;
    return n == 0 ? 0 : p.revents;
}

OpenStatus statusFor(int err) {
    switch (err) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
            return OpenStatus::NotFound;
        case EACCES:
        case EPERM:
            return OpenStatus::PermissionDenied;
        case EBUSY:
            return OpenStatus::Busy;
        default:
            return OpenStatus::Failed;
    }
}

// The processes that serve a registered port (a simulator, a bench rig) are not users of it.
std::vector<long> serversOf(const std::string& path) {
    std::vector<long> pids;
    const auto registered = ports::readVirtualPorts(ports::defaultRegistryFolder(), &pids);
    std::vector<long> servers;
    for (std::size_t i = 0; i < registered.size() && i < pids.size(); ++i) {
        if ("/dev/" + registered[i].name == path)
            servers.push_back(pids[i]);
    }
    return servers;
}

OpenResult busy(const std::string& path) {
    const PortHolders found = findPortHolders(path, serversOf(path));
    if (!found.holders.empty())
        return {OpenStatus::Busy, "in use by " + describeHolders(found.holders)};
    // Locked by a process whose open files this user may not see.
    return {OpenStatus::Busy, "may be in use by another program"};
}

class TermiosPort final : public SerialPort {
public:
    ~TermiosPort() override { close(); }

    OpenResult open(const std::string& path) override {
        close();
        hungUp_ = false;
        // Without O_NONBLOCK a port that lacks CLOCAL would block here waiting for carrier.
        int fd = retryOnSignal(
            [&] { return ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); });
        if (fd < 0) {
            int err = errno;
            return {statusFor(err), std::strerror(err)};
        }
        // flock rather than TIOCEXCL: it binds root too, and on a pseudo-terminal TIOCEXCL
        // outlives the close and would lock us out of our own reopen.
        if (retryOnSignal([&] { return ::flock(fd, LOCK_EX | LOCK_NB); }) != 0) {
            int err = errno;
            ::close(fd);
            if (err == EWOULDBLOCK)
                return busy(path);
            return {OpenStatus::Failed, std::strerror(err)};
        }
        if (!::isatty(fd)) {
            ::close(fd);
            return {OpenStatus::Failed, "not a serial device"};
        }
        // A program that takes no lock (a terminal program, a modem prober) still shares the
        // line: its bytes and the PLC's frames would interleave.
        if (!findPortHolders(path, serversOf(path)).holders.empty()) {
            ::close(fd);
            return busy(path);
        }
        fd_ = fd;
        return {};
    }

    bool configure() override {
        if (fd_ < 0)
            return false;
        termios have{};
        if (::tcgetattr(fd_, &have) != 0)
            return false;
        termios want = detail::wantedLineSettings(have);
        const tcflag_t ignored = detail::unsupportedControlFlags(fd_);
        if (detail::lineSettingsMatch(have, want, ignored))
            return true;
        if (retryOnSignal([&] { return ::tcsetattr(fd_, TCSANOW, &want); }) != 0)
            return false;
        // tcsetattr succeeds when any part was taken; read back to know that all of it was.
        termios now{};
        return ::tcgetattr(fd_, &now) == 0 && detail::lineSettingsMatch(now, want, ignored);
    }

    void close() override {
        if (fd_ >= 0)
            ::close(fd_);  // never retried: on Linux the descriptor is gone anyway
        fd_ = -1;
    }

    bool isOpen() const override { return fd_ >= 0; }
    int handle() const override { return fd_; }
    std::string deviceNumber() const override { return ports::deviceOfDescriptor(fd_); }

    bool purge() override { return fd_ >= 0 && ::tcflush(fd_, TCIOFLUSH) == 0; }

    WriteResult write(const void* data, std::size_t size,
                      std::chrono::milliseconds budget) override {
        WriteResult result;
        if (fd_ < 0) {
            result.status = WriteStatus::Error;
            return result;
        }
        Deadline deadline(SteadyClock::instance(), budget);
        const auto* bytes = static_cast<const unsigned char*>(data);
        while (result.written < size) {
            ssize_t n = retryOnSignal(
                [&] { return ::write(fd_, bytes + result.written, size - result.written); });
            if (n > 0) {
                result.written += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
                result.status = WriteStatus::Error;
                return result;
            }
            if (deadline.expired()) {
                result.status = WriteStatus::Timeout;
                return result;
            }
            int revents = waitFor(fd_, POLLOUT, deadline);
            if (revents < 0 || (revents & (POLLERR | POLLHUP | POLLNVAL))) {
                result.status = WriteStatus::Error;
                return result;
            }
            if (revents == 0) {
                result.status = WriteStatus::Timeout;
                return result;
            }
        }
        return result;
    }

    WaitStatus waitReadable(std::chrono::milliseconds timeout) override {
        if (fd_ < 0)
            return WaitStatus::Error;
        Deadline deadline(SteadyClock::instance(), timeout);
        int revents = waitFor(fd_, POLLIN, deadline);
        if (revents < 0)
            return WaitStatus::Error;
        if (revents == 0)
            return WaitStatus::Timeout;
        // A hung-up line also reports POLLIN; what is still queued is worth reading first.
        if ((revents & (POLLHUP | POLLERR | POLLNVAL)) && bytesWaiting() <= 0) {
            hungUp_ = hungUp_ || (revents & POLLHUP) != 0;
            return WaitStatus::Error;
        }
        return (revents & POLLIN) ? WaitStatus::Ready : WaitStatus::Error;
    }

    long bytesWaiting() override {
        if (fd_ < 0)
            return -1;
        int n = 0;
        if (::ioctl(fd_, FIONREAD, &n) != 0) {
            // A line that hung up fails here with EIO before any wait has seen the hang-up.
            noteHangUp();
            return -1;
        }
        return n;
    }

    long read(void* data, std::size_t size) override {
        if (fd_ < 0)
            return -1;
        ssize_t n = retryOnSignal([&] { return ::read(fd_, data, size); });
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return 0;
            noteHangUp();
            return -1;
        }
        // With VMIN and VTIME at 0 an empty queue reads 0 bytes, and so does a hung-up line.
        if (n == 0 && size > 0 && !noteHangUp())
            return -1;
        return static_cast<long>(n);
    }

    long bytesUnsent() override {
        if (fd_ < 0)
            return -1;
        int n = 0;
        if (::ioctl(fd_, TIOCOUTQ, &n) != 0) {
            noteHangUp();
            return -1;
        }
        return n;
    }

    bool hungUp() const override { return hungUp_; }

private:
    // Asks the line, without waiting, whether it hung up, and records it. False when the line
    // hung up or failed; a failure without a hang-up stays a failure, never silence.
    bool noteHangUp() {
        Deadline now(SteadyClock::instance(), Clock::duration::zero());
        const int revents = waitFor(fd_, POLLIN, now);
        if (revents > 0 && (revents & POLLHUP))
            hungUp_ = true;
        return !(revents < 0 || (revents & (POLLHUP | POLLERR | POLLNVAL)));
    }

    int fd_ = -1;
    bool hungUp_ = false;
};

}  // namespace

std::unique_ptr<SerialPort> makeTermiosPort() {
    return std::make_unique<TermiosPort>();
}

std::unique_ptr<SerialPort> makeSystemPort() {
    return makeTermiosPort();
}

std::wstring_view devicePrefix() {
    return L"/dev/";
}

// COMn is ttyS(n-1) by the usual convention.
std::wstring_view defaultDevicePath() {
    return L"/dev/ttyS9";
}

}  // namespace qx4t::serial
