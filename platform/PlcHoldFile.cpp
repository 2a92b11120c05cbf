// The name of a hold's file, the same on every platform.
#include <cstdint>
#include <cstdio>

#include "platform/PlcHold.h"

namespace qx4t {

// FNV-1a: a stable file name for an identity that may hold any character.
std::string plcHoldFileName(const std::string& identityKey) {
    std::uint64_t h = 14695981039346656037ULL;
    for (unsigned char c : identityKey) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return std::string("plc-") + text + ".lock";
}

}  // namespace qx4t
