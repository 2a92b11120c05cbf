#include <chrono>

#include "cli/Simulator.h"
#include "link/ComManager.h"
#include "sim/InProcessBench.h"

namespace qx4t::cli {
namespace {

// As the pseudo-terminal simulator's: short, yet over only after the tool's pause.
constexpr std::chrono::milliseconds kSimulatedRestart{3000};
// Not a name a real port has, so it can never be mistaken for one.
constexpr const char* kPortName = "SIMULATED";

// The bench's PLC lives on a virtual clock that the in-process port moves while the link waits
// for it. The tool's own waits (the pause before the restart polls) are real, so before every
// call the virtual clock is brought up to the real time that has passed: otherwise the PLC
// would still be taking the image when the first poll arrives.
class RealTimePort final : public serial::SerialPort {
public:
    RealTimePort(std::unique_ptr<serial::SerialPort> port, VirtualClock& clock,
                 Clock::time_point virtualStart, Clock::time_point realStart)
        : m_port(std::move(port)),
          m_clock(clock),
          m_virtualStart(virtualStart),
          m_realStart(realStart) {}

    serial::OpenResult open(const std::string& path) override { return catchUp()->open(path); }
    bool configure() override { return catchUp()->configure(); }
    void close() override { catchUp()->close(); }
    bool isOpen() const override { return m_port->isOpen(); }
    int handle() const override { return m_port->handle(); }
    bool purge() override { return catchUp()->purge(); }
    serial::WriteResult write(const void* data, std::size_t size,
                              std::chrono::milliseconds deadline) override {
        return catchUp()->write(data, size, deadline);
    }
    serial::WaitStatus waitReadable(std::chrono::milliseconds timeout) override {
        return catchUp()->waitReadable(timeout);
    }
    long bytesWaiting() override { return catchUp()->bytesWaiting(); }
    long read(void* data, std::size_t size) override { return catchUp()->read(data, size); }
    long bytesUnsent() override { return catchUp()->bytesUnsent(); }
    bool hungUp() const override { return m_port->hungUp(); }

private:
    serial::SerialPort* catchUp() {
        m_clock.advanceTo(m_virtualStart + (SteadyClock::instance().now() - m_realStart));
        return m_port.get();
    }

    std::unique_ptr<serial::SerialPort> m_port;
    VirtualClock& m_clock;
    Clock::time_point m_virtualStart;
    Clock::time_point m_realStart;
};

class InProcessSimulatedPlc final : public SimulatedPlc {
public:
    InProcessSimulatedPlc() : m_bench(m_clock) {
        sim::PlcConfig config;
        config.restartTime = kSimulatedRestart;
        m_plc = &m_bench.addPlc(kPortName, config);
        const auto virtualStart = m_clock.now();
        const auto realStart = SteadyClock::instance().now();
        CComManager::SetPortFactory([this, virtualStart, realStart] {
            return std::make_unique<RealTimePort>(m_bench.portFactory()(), m_clock, virtualStart,
                                                  realStart);
        });
    }
    ~InProcessSimulatedPlc() override { CComManager::SetPortFactory(nullptr); }
    InProcessSimulatedPlc(const InProcessSimulatedPlc&) = delete;
    InProcessSimulatedPlc& operator=(const InProcessSimulatedPlc&) = delete;

    [[nodiscard]] std::string portName() const override { return m_bench.portNameOf(*m_plc); }

private:
    VirtualClock m_clock;
    sim::InProcessBench m_bench;
    sim::PlcCore* m_plc = nullptr;
};

}  // namespace

std::unique_ptr<SimulatedPlc> StartInProcessSimulator(std::string&) {
    return std::make_unique<InProcessSimulatedPlc>();
}

}  // namespace qx4t::cli
