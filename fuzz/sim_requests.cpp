// Feeds the simulated PLC bytes as the tool's side of the line would: the first bytes choose
// the PLC's mode (update mode lets the image path see them too) and how the rest is cut into
// pieces and spaced in time.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>

#include "sim/PlcCore.h"

namespace {

// Each piece costs a round of the PLC's bookkeeping; a long input fed byte by byte would spend
// the run there rather than in the parser. Inputs up to this size may still come byte by byte.
constexpr std::size_t kMostPieces = 256;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    qx4t::VirtualClock clock;
    qx4t::sim::PlcConfig config;
    config.mode = data[0];
    config.restartTime = std::chrono::milliseconds(50);
    if (data[1] & 1)
        config.faults.push_back({qx4t::sim::FaultKind::SplitReply});
    qx4t::sim::PlcCore plc(clock, config);
    const std::size_t piece =
        std::max<std::size_t>(1 + (data[1] >> 1), (size + kMostPieces - 1) / kMostPieces);
    for (std::size_t at = 2; at < size; at += piece) {
        std::size_t n = size - at < piece ? size - at : piece;
        plc.receive(data + at, n);
        clock.advance(std::chrono::milliseconds(data[at] % 64 * 10));
        (void)plc.takeDue();
        (void)plc.nextEventTime();
    }
    clock.advance(std::chrono::seconds(20));
    (void)plc.takeDue();
    (void)plc.state();
    return 0;
}
