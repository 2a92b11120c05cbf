#include "sim/PlcConfig.h"

#include <algorithm>

namespace qx4t::sim {

namespace {

bool isUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

}  // namespace

std::string validate(const PlcConfig& c) {
    if (c.model.size() != 2)
        return "the model code must have two characters";
    auto hex4 = [](const std::string& v) {
        return v.size() == 4 && std::all_of(v.begin(), v.end(), isUpperHex);
    };
    if (!hex4(c.version))
        return "the version must be four upper-case hexadecimal digits";
    if (!hex4(c.newVersion))
        return "the new version must be four upper-case hexadecimal digits";
    if (c.mode < 0 || c.mode > 0xFF)
        return "the mode must lie between 00 and FF";
    if (c.entryReplyCode.size() != 4 || c.entryReplyCode[0] == '!' ||
        c.entryReplyCode.find('\r') != std::string::npos)
        return "the entry reply code must have four characters, not starting with '!'";
    using ms = std::chrono::milliseconds;
    for (ms d : {c.replyDelay, c.restartTime, c.splitPause, c.slowByteGap, c.imageIdleGap})
        if (d < ms::zero())
            return "times must not be negative";
    if (c.imageIdleGap == ms::zero())
        return "the image idle gap must be positive";
    return {};
}

}  // namespace qx4t::sim
