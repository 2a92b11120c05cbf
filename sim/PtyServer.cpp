#include "sim/PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace qx4t::sim {

namespace {

// Replies that nobody collects (the tool has the port closed) pile up at most this far; the
// tool purges before each request anyway.
constexpr std::size_t kMaxPendingOutput = 1 << 20;
// While nobody holds the slave side the master reports a hang-up at once; this is how long
// the server then looks away instead of spinning.
constexpr int kHangupBackoffMs = 20;
// The longest the server sleeps without looking at its PLC's clock.
constexpr int kLongestSleepMs = 1000;

void setNonBlocking(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

}  // namespace

struct PtyServer::Pty {
    int master = -1;
    // Kept open so that the master never sees a hang-up between the tool's close and reopen,
    // and so that the slave's settings survive them, as a real port's do.
    int slave = -1;
    std::string name;  // "pts/N"
};

PtyServer::PtyServer(PtyServerOptions options) : options_(std::move(options)) {
    if (options_.identity.empty()) {
        static std::atomic<int> servers{0};
        options_.identity =
            "plcsim-" + std::to_string(::getpid()) + "-" + std::to_string(++servers);
    }
    core_ = std::make_unique<PlcCore>(SteadyClock::instance(), options_.config);
    if (options_.log)
        core_->setExchangeSink(options_.log);
}

PtyServer::~PtyServer() {
    stop();
}

bool PtyServer::openPty(Pty& pty, std::string* error) {
    auto fail = [&](const char* what) {
        if (error)
            *error = std::string(what) + ": " + std::strerror(errno);
        closePty(pty);
        return false;
    };
    pty.master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (pty.master < 0)
        return fail("posix_openpt");
    if (::grantpt(pty.master) != 0 || ::unlockpt(pty.master) != 0)
        return fail("grantpt");
    char path[128];
    if (::ptsname_r(pty.master, path, sizeof path) != 0)
        return fail("ptsname");
    pty.slave = ::open(path, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (pty.slave < 0)
        return fail(path);
    // Raw from the start, so that nothing echoes or translates before the tool configures it.
    termios t{};
    if (::tcgetattr(pty.slave, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(pty.slave, TCSANOW, &t);
    }
    if (options_.openToAllUsers && ::fchmod(pty.slave, 0666) != 0)
        return fail("chmod");
    setNonBlocking(pty.master);
    pty.name = std::string(path).substr(std::strlen("/dev/"));
    return true;
}

void PtyServer::closePty(Pty& pty) {
    if (pty.slave >= 0)
        ::close(pty.slave);
    if (pty.master >= 0)
        ::close(pty.master);
    pty.slave = pty.master = -1;
}

void PtyServer::announce() {
    registration_.remove();
    if (options_.registerPort && !portName_.empty())
        registration_ = ports::registerVirtualPort(portName_, options_.description,
                                                   options_.registryFolder, options_.identity);
}

bool PtyServer::open(std::string* error) {
    std::lock_guard lock(mutex_);
    if (pty_)
        return true;
    std::string why = validate(options_.config);
    if (!why.empty()) {
        if (error)
            *error = why;
        return false;
    }
    auto pty = std::make_unique<Pty>();
    if (!openPty(*pty, error))
        return false;
    if (wake_[0] < 0 && ::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (error)
            *error = std::string("pipe: ") + std::strerror(errno);
        closePty(*pty);
        return false;
    }
    pty_ = std::move(pty);
    portName_ = pty_->name;
    announce();
    if (options_.registerPort && !registration_.ok()) {
        if (error)
            *error = "cannot register the port: " + registration_.error();
        closePty(*pty_);
        pty_.reset();
        portName_.clear();
        return false;
    }
    const auto& faults = options_.config.faults;
    if (std::any_of(faults.begin(), faults.end(),
                    [](const Fault& f) { return f.kind == FaultKind::SecondPlc; })) {
        PtyServerOptions twin = options_;
        twin.identity += "/second";
        std::erase_if(twin.config.faults,
                      [](const Fault& f) { return f.kind == FaultKind::SecondPlc; });
        twin_ = std::make_unique<PtyServer>(std::move(twin));
        if (!twin_->start(error)) {
            twin_.reset();
            registration_.remove();
            closePty(*pty_);
            pty_.reset();
            portName_.clear();
            return false;
        }
    }
    return true;
}

// Follows the PLC after it handled input or time passed: its port may have gone away or
// come back under a new name.
void PtyServer::afterCoreStep() {
    if (!pty_ || pty_->master < 0)
        return;
    if (core_->portClosed()) {
        closePty(*pty_);
        registration_.remove();
        portName_.clear();
        pendingOut_.clear();
        return;
    }
    if (int generation = core_->portGeneration(); generation != generation_) {
        // The new terminal first, so that the kernel cannot hand back the same number.
        Pty fresh;
        std::string ignored;
        if (!openPty(fresh, &ignored))
            return;
        generation_ = generation;
        closePty(*pty_);
        *pty_ = fresh;
        portName_ = pty_->name;
        pendingOut_.clear();
        announce();
    }
}

void PtyServer::serve(int stopFd) {
    std::vector<char> buf(65536);
    bool hungUp = false;
    for (;;) {
        int master = -1;
        int timeoutMs = kLongestSleepMs;
        {
            std::lock_guard lock(mutex_);
            if (!pty_)
                return;
            master = pty_->master;
            if (auto next = core_->nextEventTime()) {
                auto left = std::chrono::ceil<std::chrono::milliseconds>(
                                *next - SteadyClock::instance().now())
                                .count();
                timeoutMs = static_cast<int>(std::clamp<long long>(left, 0, kLongestSleepMs));
            }
        }
        pollfd fds[3] = {{wake_[0], POLLIN, 0}, {stopFd, POLLIN, 0}, {-1, 0, 0}};
        if (master >= 0 && !hungUp) {
            fds[2].fd = master;
            fds[2].events = static_cast<short>(POLLIN | (pendingOut_.empty() ? 0 : POLLOUT));
        }
        if (hungUp)
            timeoutMs = std::min(timeoutMs, kHangupBackoffMs);
        hungUp = false;
        int n = ::poll(fds, 3, timeoutMs);
        if (n < 0 && errno != EINTR)
            return;
        if (n > 0 && ((fds[0].revents & POLLIN) || (stopFd >= 0 && fds[1].revents)))
            return;

        std::lock_guard lock(mutex_);
        if (n > 0 && fds[2].fd >= 0 && fds[2].revents) {
            if (fds[2].revents & POLLIN) {
                ssize_t got = ::read(master, buf.data(), buf.size());
                if (got > 0)
                    core_->receive(buf.data(), static_cast<std::size_t>(got));
                if (got < 0 && errno == EIO)
                    hungUp = true;
            } else if (fds[2].revents & (POLLHUP | POLLERR)) {
                hungUp = true;
            }
        }
        afterCoreStep();
        if (!pty_ || pty_->master < 0)
            continue;
        pendingOut_ += core_->takeDue();
        if (pendingOut_.size() > kMaxPendingOutput)
            pendingOut_.erase(0, pendingOut_.size() - kMaxPendingOutput);
        while (!pendingOut_.empty()) {
            ssize_t put = ::write(pty_->master, pendingOut_.data(), pendingOut_.size());
            if (put <= 0)
                break;  // full, or nobody there: try again when poll says so
            pendingOut_.erase(0, static_cast<std::size_t>(put));
        }
    }
}

bool PtyServer::start(std::string* error) {
    if (thread_.joinable())
        return true;
    if (!open(error))
        return false;
    thread_ = std::thread([this] { serve(-1); });
    return true;
}

void PtyServer::stop() {
    if (wake_[1] >= 0) {
        [[maybe_unused]] ssize_t ignored = ::write(wake_[1], "x", 1);
    }
    if (thread_.joinable())
        thread_.join();
    twin_.reset();
    std::lock_guard lock(mutex_);
    registration_.remove();
    if (pty_)
        closePty(*pty_);
    pty_.reset();
    portName_.clear();
    for (int& fd : wake_) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

std::string PtyServer::portName() const {
    std::lock_guard lock(mutex_);
    return portName_;
}

std::string PtyServer::secondPortName() const {
    return twin_ ? twin_->portName() : std::string();
}

PlcState PtyServer::state() const {
    std::lock_guard lock(mutex_);
    return core_->state();
}

std::vector<Exchange> PtyServer::exchanges() const {
    std::lock_guard lock(mutex_);
    return {core_->exchanges().begin(), core_->exchanges().end()};
}

}  // namespace qx4t::sim
