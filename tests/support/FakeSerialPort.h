#pragma once
// A serial port that plays a scripted PLC on a VirtualClock and records what it was sent.
// Waiting for input moves the clock forward instead of sleeping, so a test that waits out a
// minute of time-outs runs in microseconds.
//
// Replies are scripted per write: each write takes the next queued reply (or, with none queued,
// asks the responder) and its pieces arrive at the write's time plus their delay. Any call can
// be made to fail; call numbers count from 1 for each kind of call since construction.
#include <chrono>
#include <climits>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/serial/SerialPort.h"

namespace qx4t::test {

struct ScriptedReply {
    struct Piece {
        std::chrono::milliseconds after;  // from the write
        std::string bytes;
    };
    std::vector<Piece> pieces;

    // Already there when the link starts to wait.
    static ScriptedReply now(std::string bytes);
    static ScriptedReply after(std::chrono::milliseconds delay, std::string bytes);
    // The first piece after `delay`, the second `gap` later.
    static ScriptedReply split(std::string first, std::chrono::milliseconds gap, std::string second,
                               std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    // No answer at all.
    static ScriptedReply silence();
};

class FakeSerialPort final : public serial::SerialPort {
public:
    using Responder = std::function<std::optional<ScriptedReply>(const std::string& written)>;

    explicit FakeSerialPort(VirtualClock& clock);

    // --- scripting
    void queueReply(ScriptedReply reply);
    void queueReply(std::string bytes) { queueReply(ScriptedReply::now(std::move(bytes))); }
    // Answers the writes that find the queue empty; nullopt is silence.
    void setResponder(Responder responder);
    // Bytes that arrive on their own, `after` from now (a late reply, line noise).
    void inject(std::string bytes, std::chrono::milliseconds after = std::chrono::milliseconds(0));

    // --- failures
    // The next `count` opens fail with `status`.
    void failOpen(serial::OpenStatus status, int count = INT_MAX, std::string reason = {});
    void failConfigureCall(int nth);
    void failPurgeCall(int nth);
    // Timeout stalls: the clock moves on by the write's deadline. A short write reports Ok
    // with `written` bytes.
    void failWriteCall(int nth, serial::WriteStatus status, std::size_t written = 0);
    void failWaitCall(int nth);
    // The other side hangs up at the nth wait call (counted since construction, as the other
    // failures are): that wait and every later one fail, and the port says it was hung up,
    // until it is opened again.
    void hangUpAtWaitCall(int nth);
    // The other side hangs up now. As on a real line, every later wait, bytes-waiting check,
    // read and output check fails until the port is opened again.
    void hangUp();
    // Written bytes leave the output queue this long after their write; nullopt: never (a USB
    // device that stopped taking data). At once unless told.
    void drainAfter(std::optional<std::chrono::milliseconds> delay);
    void failReadCall(int nth);

    // --- records
    [[nodiscard]] const std::vector<std::string>& writes() const { return writes_; }
    [[nodiscard]] std::vector<std::chrono::steady_clock::time_point> writeTimes() const {
        return writeTimes_;
    }
    [[nodiscard]] const std::vector<std::string>& openedPaths() const { return openedPaths_; }
    [[nodiscard]] int openCalls() const { return openCalls_; }
    [[nodiscard]] int configureCalls() const { return configureCalls_; }
    [[nodiscard]] int closeCalls() const { return closeCalls_; }
    [[nodiscard]] int purgeCalls() const { return purgeCalls_; }
    [[nodiscard]] int waitCalls() const { return waitCalls_; }
    // Every open, configure, purge, write and close in the order they came.
    [[nodiscard]] const std::vector<std::string>& calls() const { return calls_; }
    [[nodiscard]] VirtualClock& clock() const { return clock_; }

    // A factory for CComManager::SetPortFactory: every port it makes is a handle on this fake,
    // which must outlive them.
    [[nodiscard]] serial::PortFactory factory();

    // --- serial::SerialPort
    [[nodiscard]] serial::OpenResult open(const std::string& path) override;
    [[nodiscard]] bool configure() override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return open_; }
    [[nodiscard]] int handle() const override { return open_ ? 100 + openCalls_ : -1; }
    [[nodiscard]] bool purge() override;
    [[nodiscard]] serial::WriteResult write(const void* data, std::size_t size,
                                            std::chrono::milliseconds deadline) override;
    [[nodiscard]] serial::WaitStatus waitReadable(std::chrono::milliseconds timeout) override;
    [[nodiscard]] long bytesWaiting() override;
    [[nodiscard]] long read(void* data, std::size_t size) override;
    [[nodiscard]] long bytesUnsent() override;
    [[nodiscard]] bool hungUp() const override { return hungUp_; }

private:
    struct Pending {
        Clock::time_point at;
        std::string bytes;
    };
    struct WriteFailure {
        int nth;
        serial::WriteStatus status;
        std::size_t written;
    };

    void schedule(const ScriptedReply& reply);
    void deliverDue();

    VirtualClock& clock_;
    bool open_ = false;
    std::string input_;
    std::vector<Pending> pending_;
    std::deque<ScriptedReply> replies_;
    Responder responder_;

    serial::OpenStatus openFailure_ = serial::OpenStatus::Ok;
    int openFailuresLeft_ = 0;
    std::string openReason_;
    std::vector<int> configureFailures_, purgeFailures_, waitFailures_, readFailures_;
    std::vector<WriteFailure> writeFailures_;
    int hangUpAtWait_ = 0;
    bool hungUp_ = false;
    std::optional<std::chrono::milliseconds> drainAfter_{std::chrono::milliseconds(0)};
    std::vector<Pending> unsent_;

    std::vector<std::string> writes_;
    std::vector<Clock::time_point> writeTimes_;
    std::vector<std::string> openedPaths_;
    std::vector<std::string> calls_;
    int openCalls_ = 0, configureCalls_ = 0, closeCalls_ = 0, purgeCalls_ = 0, waitCalls_ = 0,
        readCalls_ = 0, writeCalls_ = 0;
};

}  // namespace qx4t::test
