#include "sim/InProcessBench.h"

#include <algorithm>
#include <cstring>

#include "platform/text/Utf8.h"

namespace qx4t::sim {

namespace {
// Handles of simulated ports, far from any descriptor a test might also hold.
constexpr int kFirstHandle = 10000;
}  // namespace

struct Attached {
    std::unique_ptr<PlcCore> plc;
    std::string baseName;  // the name it was attached under
    std::string name;      // the name it answers to now
    std::string description;
    std::string identity;              // as discovery shows it, the same under every name
    std::vector<std::string> aliases;  // other names of the port under its present name
    int generation = 0;
    int handle = 0;
    const SimPort* openBy = nullptr;
    bool detached = false;   // the bench is gone; the PLC's clock may be too
    bool unplugged = false;  // taken off the bench
    [[nodiscard]] bool gone() const { return unplugged || plc->portClosed(); }
};

struct SimPort::Shared {
    VirtualClock* clock = nullptr;
    std::vector<std::shared_ptr<Attached>> plcs;

    // Names follow the PLCs' state: a PLC that came back under a new name gets one that no
    // other PLC has, derived from its old one ("pts/90" -> "pts/91", ...).
    void refreshNames() {
        for (auto& a : plcs) {
            int generation = a->plc->portGeneration();
            if (generation == a->generation)
                continue;
            a->generation = generation;
            a->aliases.clear();
            std::string stem = a->baseName;
            int number = 0;
            std::size_t digits = stem.find_last_not_of("0123456789") + 1;
            if (digits < stem.size()) {
                number = std::stoi(stem.substr(digits));
                stem.resize(digits);
            }
            for (int n = number + 1;; ++n) {
                std::string candidate = stem + std::to_string(n);
                if (!find(candidate)) {
                    a->name = candidate;
                    break;
                }
            }
        }
    }

    std::shared_ptr<Attached> find(const std::string& name) const {
        for (const auto& a : plcs)
            if ((a->name == name ||
                 std::find(a->aliases.begin(), a->aliases.end(), name) != a->aliases.end()) &&
                !a->gone())
                return a;
        return nullptr;
    }
};

SimPort::SimPort(std::shared_ptr<Shared> bench) : bench_(std::move(bench)) {}

SimPort::~SimPort() {
    close();
}

serial::OpenResult SimPort::open(const std::string& path) {
    close();
    hungUp_ = false;
    // The same path the system's port would be given, so the link cannot tell them apart.
    const std::string prefix = wideToUtf8(serial::devicePrefix());
    if (!path.starts_with(prefix))
        return {serial::OpenStatus::NotFound, "No such device"};
    bench_->refreshNames();
    auto plc = bench_->find(path.substr(prefix.size()));
    if (!plc)
        return {serial::OpenStatus::NotFound, "No such file or directory"};
    if (plc->openBy)
        return {serial::OpenStatus::Busy, "the port is in use by another program"};
    plc->openBy = this;
    attached_ = plc;
    generation_ = plc->generation;
    rx_.clear();
    return {};
}

bool SimPort::configure() {
    ++configureCount_;
    return lineUp();
}

void SimPort::close() {
    if (auto* a = static_cast<Attached*>(attached_.get()); a && a->openBy == this)
        a->openBy = nullptr;
    attached_.reset();
    rx_.clear();
}

bool SimPort::isOpen() const {
    return attached_ != nullptr;
}

int SimPort::handle() const {
    auto* a = static_cast<Attached*>(attached_.get());
    return a ? a->handle : -1;
}

namespace {
// A device number per PLC and port generation, as a renamed tty gets a new node.
std::string benchDevice(const Attached& a) {
    return "240:" + std::to_string((a.handle - kFirstHandle) * 64 + a.generation);
}
}  // namespace

std::string SimPort::deviceNumber() const {
    auto* a = static_cast<Attached*>(attached_.get());
    return a && a->generation == generation_ ? benchDevice(*a) : std::string();
}

// False once the PLC's port has gone away under this open port (unplugged, or renumbered
// after a restart): the descriptor of a vanished device only fails from then on.
bool SimPort::lineUp() {
    auto* a = static_cast<Attached*>(attached_.get());
    if (!a)
        return false;
    if (a->detached) {
        hungUp_ = true;
        return false;
    }
    bench_->refreshNames();
    const bool up = !a->gone() && a->generation == generation_;
    hungUp_ = hungUp_ || !up;
    return up;
}

void SimPort::pull() {
    auto* a = static_cast<Attached*>(attached_.get());
    if (a && !a->detached)
        rx_ += a->plc->takeDue();
}

bool SimPort::purge() {
    if (!lineUp())
        return false;
    pull();
    rx_.clear();
    return true;
}

serial::WriteResult SimPort::write(const void* data, std::size_t size, std::chrono::milliseconds) {
    if (!lineUp())
        return {serial::WriteStatus::Error, 0};
    static_cast<Attached*>(attached_.get())->plc->receive(data, size);
    return {serial::WriteStatus::Ok, size};
}

serial::WaitStatus SimPort::waitReadable(std::chrono::milliseconds timeout) {
    if (!lineUp())
        return serial::WaitStatus::Error;
    pull();
    if (!rx_.empty())
        return serial::WaitStatus::Ready;
    auto* a = static_cast<Attached*>(attached_.get());
    VirtualClock& clock = *bench_->clock;
    const auto end = clock.now() + timeout;
    if (auto next = a->plc->nextOutputTime(); next && *next <= end) {
        clock.advanceTo(*next);
        pull();
        if (!rx_.empty())
            return serial::WaitStatus::Ready;
    }
    clock.advanceTo(end);
    if (!lineUp())
        return serial::WaitStatus::Error;
    pull();
    return rx_.empty() ? serial::WaitStatus::Timeout : serial::WaitStatus::Ready;
}

long SimPort::bytesWaiting() {
    if (!lineUp())
        return -1;
    pull();
    return static_cast<long>(rx_.size());
}

long SimPort::read(void* data, std::size_t size) {
    if (!lineUp())
        return -1;
    pull();
    std::size_t n = std::min(size, rx_.size());
    std::memcpy(data, rx_.data(), n);
    rx_.erase(0, n);
    return static_cast<long>(n);
}

InProcessBench::InProcessBench(VirtualClock& clock) : shared_(std::make_shared<SimPort::Shared>()) {
    shared_->clock = &clock;
}

InProcessBench::~InProcessBench() {
    // Ports that outlive the bench find no PLC any more instead of a dangling one.
    for (auto& a : shared_->plcs) {
        a->openBy = nullptr;
        a->detached = true;
    }
    shared_->plcs.clear();
}

PlcCore& InProcessBench::addPlc(const std::string& portName, PlcConfig config,
                                std::string description) {
    const bool twin = std::any_of(config.faults.begin(), config.faults.end(),
                                  [](const Fault& f) { return f.kind == FaultKind::SecondPlc; });
    auto a = std::make_shared<Attached>();
    a->plc = std::make_unique<PlcCore>(*shared_->clock, config);
    a->baseName = portName;
    a->name = portName;
    a->description = description;
    a->handle = kFirstHandle + static_cast<int>(shared_->plcs.size());
    a->identity = "virtual:bench-" + std::to_string(a->handle - kFirstHandle);
    shared_->plcs.push_back(a);
    if (twin) {
        std::erase_if(config.faults, [](const Fault& f) { return f.kind == FaultKind::SecondPlc; });
        std::string stem = portName;
        std::size_t digits = stem.find_last_not_of("0123456789") + 1;
        int number = digits < stem.size() ? std::stoi(stem.substr(digits)) : 0;
        stem.resize(digits);
        for (int n = number + 1;; ++n) {
            std::string name = stem + std::to_string(n);
            if (!plc(name)) {
                addPlc(name, config, description);
                break;
            }
        }
    }
    return *a->plc;
}

serial::PortFactory InProcessBench::portFactory() {
    std::shared_ptr<SimPort::Shared> shared = shared_;
    return [shared]() -> std::unique_ptr<serial::SerialPort> {
        return std::unique_ptr<SimPort>(new SimPort(shared));
    };
}

std::vector<ports::PortInfo> InProcessBench::portInfos() const {
    shared_->refreshNames();
    std::vector<ports::PortInfo> out;
    for (const auto& a : shared_->plcs) {
        if (a->gone())
            continue;
        ports::PortInfo info{a->name, a->description, "virtual", true, a->identity};
        info.virtualKey = a->identity;
        info.device = benchDevice(*a);
        out.push_back(std::move(info));
    }
    ports::assignIdentities(out);
    return out;
}

void InProcessBench::setVirtualId(const PlcCore& plc, const std::string& id) {
    for (auto& a : shared_->plcs)
        if (a->plc.get() == &plc)
            a->identity = "virtual:" + id;
}

void InProcessBench::unplug(const PlcCore& plc) {
    for (auto& a : shared_->plcs)
        if (a->plc.get() == &plc)
            a->unplugged = true;
}

void InProcessBench::addAlias(const PlcCore& plc, const std::string& alias) {
    shared_->refreshNames();
    for (auto& a : shared_->plcs)
        if (a->plc.get() == &plc)
            a->aliases.push_back(alias);
}

ports::DeviceNode InProcessBench::deviceNodeOf(const std::string& portName) const {
    shared_->refreshNames();
    const auto a = shared_->find(portName);
    if (!a)
        return {};
    return {ports::DeviceNode::Kind::CharDevice, benchDevice(*a)};
}

std::string InProcessBench::portNameOf(const PlcCore& plc) const {
    shared_->refreshNames();
    for (const auto& a : shared_->plcs)
        if (a->plc.get() == &plc)
            return a->gone() ? std::string() : a->name;
    return {};
}

PlcCore* InProcessBench::plc(const std::string& portName) const {
    shared_->refreshNames();
    auto a = shared_->find(portName);
    return a ? a->plc.get() : nullptr;
}

VirtualClock& InProcessBench::clock() const {
    return *shared_->clock;
}

}  // namespace qx4t::sim
