// The link over the real termios port, on a pseudo-terminal whose master side plays the PLC: a
// PLC that restarts on the last image block drops its port before the link first asks for
// bytes waiting, and that check then fails with EIO. It is the restart's silence all the same.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "link/ComManager.h"

namespace {

namespace rc = qx4t::link;
using namespace qx4t::serial;

// Hands each write of the link to the master side at once: the head is acknowledged, and the
// master closes as the last block arrives, before the write returns to the link.
class PlcOnMaster final : public SerialPort {
public:
    PlcOnMaster(int& master, std::string& received) : master_(master), received_(received) {}
    OpenResult open(const std::string& path) override { return port_->open(path); }
    bool configure() override { return port_->configure(); }
    void close() override { port_->close(); }
    bool isOpen() const override { return port_->isOpen(); }
    int handle() const override { return port_->handle(); }
    bool purge() override { return port_->purge(); }
    WriteResult write(const void* data, std::size_t size,
                      std::chrono::milliseconds deadline) override {
        const WriteResult result = port_->write(data, size, deadline);
        const std::size_t want = received_.size() + result.written;
        pollfd p{master_, POLLIN, 0};
        while (received_.size() < want && ::poll(&p, 1, 5000) > 0) {
            char buf[1024];
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n <= 0)
                break;
            received_.append(buf, static_cast<std::size_t>(n));
        }
        if (received_.size() == 64) {
            (void)::write(master_, "", 1);
        } else {
            ::close(master_);
            master_ = -1;
        }
        return result;
    }
    WaitStatus waitReadable(std::chrono::milliseconds t) override { return port_->waitReadable(t); }
    long bytesWaiting() override { return port_->bytesWaiting(); }
    long read(void* data, std::size_t size) override { return port_->read(data, size); }
    long bytesUnsent() override { return port_->bytesUnsent(); }
    bool hungUp() const override { return port_->hungUp(); }

private:
    std::unique_ptr<SerialPort> port_ = makeTermiosPort();
    int& master_;
    std::string& received_;
};

TEST(LinkOverPty, AHangUpBeforeTheFirstBytesWaitingCheckIsTheRestartsSilence) {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);
    std::string received;
    CComManager::SetPortFactory([&] { return std::make_unique<PlcOnMaster>(master, received); });
    {
        CComManager link;
        ASSERT_EQ(link.OpenPort(std::wstring(slave.begin() + 5, slave.end())), rc::kOk);
        const std::string image(64 + 500, 'x');
        int progress = 0;
        EXPECT_EQ(
            link.SendFWImage(image.data(), static_cast<std::uint32_t>(image.size()), &progress),
            rc::kOk);
        EXPECT_EQ(received.size(), image.size());
    }
    CComManager::SetPortFactory(nullptr);
    if (master >= 0)
        ::close(master);
}

}  // namespace
