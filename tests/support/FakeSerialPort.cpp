#include "tests/support/FakeSerialPort.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace qx4t::test {
namespace {

bool takes(std::vector<int>& failures, int call) {
    const auto it = std::find(failures.begin(), failures.end(), call);
    if (it == failures.end()) {
        return false;
    }
    failures.erase(it);
    return true;
}

// What CComManager owns: a handle that forwards to the test's fake and closes it when dropped,
// as a real port closes its descriptor.
class Handle final : public serial::SerialPort {
public:
    explicit Handle(FakeSerialPort& fake) : fake_(fake) {}
    ~Handle() override {
        if (opened_ && fake_.isOpen()) {
            fake_.close();
        }
    }
    serial::OpenResult open(const std::string& path) override {
        auto result = fake_.open(path);
        opened_ = opened_ || result.ok();
        return result;
    }
    bool configure() override { return fake_.configure(); }
    void close() override { fake_.close(); }
    bool isOpen() const override { return fake_.isOpen(); }
    int handle() const override { return fake_.handle(); }
    bool purge() override { return fake_.purge(); }
    serial::WriteResult write(const void* data, std::size_t size,
                              std::chrono::milliseconds deadline) override {
        return fake_.write(data, size, deadline);
    }
    serial::WaitStatus waitReadable(std::chrono::milliseconds timeout) override {
        return fake_.waitReadable(timeout);
    }
    long bytesWaiting() override { return fake_.bytesWaiting(); }
    long read(void* data, std::size_t size) override { return fake_.read(data, size); }
    long bytesUnsent() override { return fake_.bytesUnsent(); }
    bool hungUp() const override { return fake_.hungUp(); }

private:
    FakeSerialPort& fake_;
    bool opened_ = false;
};

}  // namespace

ScriptedReply ScriptedReply::now(std::string bytes) {
    return after(std::chrono::milliseconds(0), std::move(bytes));
}

ScriptedReply ScriptedReply::after(std::chrono::milliseconds delay, std::string bytes) {
    ScriptedReply reply;
    reply.pieces.push_back({delay, std::move(bytes)});
    return reply;
}

ScriptedReply ScriptedReply::split(std::string first, std::chrono::milliseconds gap,
                                   std::string second, std::chrono::milliseconds delay) {
    ScriptedReply reply;
    reply.pieces.push_back({delay, std::move(first)});
    reply.pieces.push_back({delay + gap, std::move(second)});
    return reply;
}

ScriptedReply ScriptedReply::silence() {
    return {};
}

FakeSerialPort::FakeSerialPort(VirtualClock& clock) : clock_(clock) {}

void FakeSerialPort::queueReply(ScriptedReply reply) {
    replies_.push_back(std::move(reply));
}

void FakeSerialPort::setResponder(Responder responder) {
    responder_ = std::move(responder);
}

void FakeSerialPort::inject(std::string bytes, std::chrono::milliseconds after) {
    pending_.push_back({clock_.now() + after, std::move(bytes)});
}

void FakeSerialPort::failOpen(serial::OpenStatus status, int count, std::string reason) {
    openFailure_ = status;
    openFailuresLeft_ = count;
    openReason_ = std::move(reason);
}

void FakeSerialPort::failConfigureCall(int nth) {
    configureFailures_.push_back(nth);
}
void FakeSerialPort::failPurgeCall(int nth) {
    purgeFailures_.push_back(nth);
}
void FakeSerialPort::failWaitCall(int nth) {
    waitFailures_.push_back(nth);
}
void FakeSerialPort::hangUpAtWaitCall(int nth) {
    hangUpAtWait_ = nth;
}
void FakeSerialPort::hangUp() {
    hungUp_ = open_;
}
void FakeSerialPort::drainAfter(std::optional<std::chrono::milliseconds> delay) {
    drainAfter_ = delay;
}
void FakeSerialPort::failReadCall(int nth) {
    readFailures_.push_back(nth);
}

void FakeSerialPort::failWriteCall(int nth, serial::WriteStatus status, std::size_t written) {
    writeFailures_.push_back({nth, status, written});
}

serial::PortFactory FakeSerialPort::factory() {
    return [this] { return std::make_unique<Handle>(*this); };
}

serial::OpenResult FakeSerialPort::open(const std::string& path) {
    calls_.push_back("open");
    ++openCalls_;
    openedPaths_.push_back(path);
    if (openFailuresLeft_ > 0) {
        --openFailuresLeft_;
        return {openFailure_, openReason_};
    }
    if (open_) {
        return {serial::OpenStatus::Busy, "already open"};
    }
    open_ = true;
    hungUp_ = false;
    return {};
}

bool FakeSerialPort::configure() {
    calls_.push_back("configure");
    ++configureCalls_;
    return open_ && !takes(configureFailures_, configureCalls_);
}

void FakeSerialPort::close() {
    calls_.push_back("close");
    ++closeCalls_;
    open_ = false;
    // Whatever was on its way in is lost with the descriptor.
    input_.clear();
    pending_.clear();
    unsent_.clear();
}

bool FakeSerialPort::purge() {
    calls_.push_back("purge");
    ++purgeCalls_;
    if (!open_ || takes(purgeFailures_, purgeCalls_)) {
        return false;
    }
    deliverDue();
    input_.clear();
    unsent_.clear();
    return true;
}

serial::WriteResult FakeSerialPort::write(const void* data, std::size_t size,
                                          std::chrono::milliseconds deadline) {
    calls_.push_back("write");
    ++writeCalls_;
    if (!open_) {
        return {serial::WriteStatus::Error, 0};
    }
    const std::string bytes(static_cast<const char*>(data), size);
    const auto failure = std::find_if(writeFailures_.begin(), writeFailures_.end(),
                                      [&](const WriteFailure& f) { return f.nth == writeCalls_; });
    if (failure != writeFailures_.end()) {
        const WriteFailure f = *failure;
        writeFailures_.erase(failure);
        if (f.status == serial::WriteStatus::Timeout) {
            clock_.advance(deadline);
        }
        writes_.push_back(bytes.substr(0, std::min(f.written, size)));
        writeTimes_.push_back(clock_.now());
        return {f.status, f.written};
    }
    writes_.push_back(bytes);
    writeTimes_.push_back(clock_.now());
    unsent_.push_back(
        {drainAfter_ ? clock_.now() + *drainAfter_ : Clock::time_point::max(), bytes});
    if (!replies_.empty()) {
        schedule(replies_.front());
        replies_.pop_front();
    } else if (responder_) {
        if (auto reply = responder_(bytes)) {
            schedule(*reply);
        }
    }
    return {serial::WriteStatus::Ok, size};
}

serial::WaitStatus FakeSerialPort::waitReadable(std::chrono::milliseconds timeout) {
    ++waitCalls_;
    if (open_ && hangUpAtWait_ > 0 && waitCalls_ >= hangUpAtWait_) {
        hungUp_ = true;
        hangUpAtWait_ = 0;
    }
    if (!open_ || hungUp_ || takes(waitFailures_, waitCalls_)) {
        return serial::WaitStatus::Error;
    }
    deliverDue();
    if (!input_.empty()) {
        return serial::WaitStatus::Ready;
    }
    const auto limit = clock_.now() + timeout;
    const auto next =
        std::min_element(pending_.begin(), pending_.end(),
                         [](const Pending& a, const Pending& b) { return a.at < b.at; });
    if (next != pending_.end() && next->at <= limit) {
        clock_.advanceTo(next->at);
        deliverDue();
        return serial::WaitStatus::Ready;
    }
    clock_.advanceTo(limit);
    return serial::WaitStatus::Timeout;
}

long FakeSerialPort::bytesWaiting() {
    if (!open_ || hungUp_) {
        return -1;
    }
    deliverDue();
    return static_cast<long>(input_.size());
}

long FakeSerialPort::read(void* data, std::size_t size) {
    ++readCalls_;
    if (!open_ || hungUp_ || takes(readFailures_, readCalls_)) {
        return -1;
    }
    deliverDue();
    const std::size_t n = std::min(size, input_.size());
    std::memcpy(data, input_.data(), n);
    input_.erase(0, n);
    return static_cast<long>(n);
}

long FakeSerialPort::bytesUnsent() {
    if (!open_ || hungUp_) {
        return -1;
    }
    std::erase_if(unsent_, [&](const Pending& p) { return p.at <= clock_.now(); });
    std::size_t n = 0;
    for (const auto& p : unsent_) {
        n += p.bytes.size();
    }
    return static_cast<long>(n);
}

void FakeSerialPort::schedule(const ScriptedReply& reply) {
    for (const auto& piece : reply.pieces) {
        pending_.push_back({clock_.now() + piece.after, piece.bytes});
    }
}

void FakeSerialPort::deliverDue() {
    // Pieces due at the same moment keep their scheduled order.
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const Pending& a, const Pending& b) { return a.at < b.at; });
    auto it = pending_.begin();
    while (it != pending_.end() && it->at <= clock_.now()) {
        input_ += it->bytes;
        ++it;
    }
    pending_.erase(pending_.begin(), it);
}

}  // namespace qx4t::test
