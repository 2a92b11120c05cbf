#include "cli/Simulator.h"

#include <chrono>

#include "sim/PtyServer.h"

namespace qx4t::cli {
namespace {

// A real PLC restarts in seconds; the simulated one is kept short so that --simulate shows the
// whole road without long silences, yet still answers only after the tool's pause.
constexpr std::chrono::milliseconds kSimulatedRestart{3000};

class PtySimulatedPlc final : public SimulatedPlc {
public:
    explicit PtySimulatedPlc(sim::PtyServerOptions options) : m_server(std::move(options)) {}
    ~PtySimulatedPlc() override { m_server.stop(); }
    bool start(std::string& error) { return m_server.start(&error); }
    [[nodiscard]] std::string portName() const override { return m_server.portName(); }

private:
    sim::PtyServer m_server;
};

}  // namespace

std::unique_ptr<SimulatedPlc> StartPtySimulator(std::string& error) {
    sim::PtyServerOptions options;
    options.config.restartTime = kSimulatedRestart;
    // The tool is told the port directly; other programs' discovery need not see it.
    options.registerPort = false;
    auto plc = std::make_unique<PtySimulatedPlc>(std::move(options));
    if (!plc->start(error))
        return nullptr;
    return plc;
}

}  // namespace qx4t::cli
