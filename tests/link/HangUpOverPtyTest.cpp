// The link over the termios port on a pseudo-terminal whose master side plays the PLC: the PLC
// restarts on the last image block and its port goes away before the link first asks for
// bytes waiting, which then fails with EIO. That is the restart's silence all the same.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "link/ComManager.h"

namespace {

using namespace qx4t::serial;

// Acknowledges the head as soon as it is written, and hangs up as the last block is written.
class PlcOnMaster final : public SerialPort {
public:
    explicit PlcOnMaster(int& master) : master_(master) {}
    OpenResult open(const std::string& path) override { return port_->open(path); }
    bool configure() override { return port_->configure(); }
    void close() override { port_->close(); }
    bool isOpen() const override { return port_->isOpen(); }
    int handle() const override { return port_->handle(); }
    bool purge() override { return port_->purge(); }
    WriteResult write(const void* data, std::size_t size, std::chrono::milliseconds d) override {
        const WriteResult result = port_->write(data, size, d);
        if (size == 64) {
            (void)::write(master_, "", 1);
        } else {
            ::close(std::exchange(master_, -1));
        }
        return result;
    }
    WaitStatus waitReadable(std::chrono::milliseconds t) override { return port_->waitReadable(t); }
    long bytesWaiting() override { return port_->bytesWaiting(); }
    long read(void* data, std::size_t size) override { return port_->read(data, size); }
    bool hungUp() const override { return port_->hungUp(); }

private:
    std::unique_ptr<SerialPort> port_ = makeTermiosPort();
    int& master_;
};

TEST(LinkOverPty, AHangUpBeforeTheFirstBytesWaitingCheckIsTheRestartsSilence) {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_TRUE(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const std::string slave = ::ptsname(master);
    CComManager::SetPortFactory([&] { return std::make_unique<PlcOnMaster>(master); });
    {
        CComManager link;
        ASSERT_EQ(link.OpenPort(std::wstring(slave.begin() + 5, slave.end())), qx4t::link::kOk);
        const std::string image(64 + 500, 'x');
        int progress = 0;
        EXPECT_EQ(link.SendFWImage(image.data(), 564, &progress), qx4t::link::kOk);
    }
    CComManager::SetPortFactory(nullptr);
    if (master >= 0)
        ::close(master);
}

}  // namespace
