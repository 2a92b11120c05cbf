#pragma once
// How a simulated PLC is set up: its identity, its timing and its faults.
#include <chrono>
#include <string>
#include <vector>

#include "sim/Faults.h"

namespace qx4t::sim {

struct PlcConfig {
    std::string model = "B1";         // two characters, at status positions 14-15
    std::string version = "0170";     // four hexadecimal digits as the tool shows them
    int mode = 0x80;                  // the mode value; 0x10 is the update-mode bit
    std::string newVersion = "0180";  // what a good image installs
    std::chrono::milliseconds replyDelay{0};
    std::chrono::milliseconds restartTime{10000};
    std::chrono::milliseconds splitPause{50};
    std::chrono::milliseconds slowByteGap{20};
    // Silence after which a partly received image block ends the transfer: the image's last
    // block is taken as such (the image is checked and the PLC restarts); any other block is
    // dropped with the image, and the PLC waits in update mode for a new one.
    std::chrono::milliseconds imageIdleGap{500};
    // Positions 3-6 of the update-mode entry replies; with the opening frame's filler sum they
    // fix how many frames the tool sends.
    std::string entryReplyCode = "$FV0";
    std::vector<Fault> faults;
};

// A reason the configuration cannot be used, or empty when it can.
[[nodiscard]] std::string validate(const PlcConfig& config);

}  // namespace qx4t::sim
