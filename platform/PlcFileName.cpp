#include "platform/PlcFileName.h"

#include <cstdint>
#include <cstdio>

namespace qx4t {

// FNV-1a: a stable file name for an identity that may hold any character.
std::string plcFileName(const std::string& key, std::string_view suffix) {
    std::uint64_t h = 14695981039346656037ULL;
    for (unsigned char c : key) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return std::string("plc-") + text + std::string(suffix);
}

}  // namespace qx4t
