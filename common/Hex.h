#pragma once
// Bytes as hexadecimal digits, two per byte: the link's block checks and filler, transcripts,
// the simulator's log and recorded digests are all written with these.
#include <string>
#include <string_view>

namespace qx4t {

enum class HexCase { Upper, Lower };

inline void AppendHex(std::string& out, unsigned char byte, HexCase letters = HexCase::Upper) {
    const char* const digits = letters == HexCase::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
    out.push_back(digits[byte >> 4]);
    out.push_back(digits[byte & 0x0F]);
}

// Every byte as two digits, with `separator` between bytes unless it is '\0'.
[[nodiscard]] inline std::string HexString(std::string_view bytes, char separator = '\0',
                                           HexCase letters = HexCase::Upper) {
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        if (separator != '\0' && !out.empty()) {
            out.push_back(separator);
        }
        AppendHex(out, static_cast<unsigned char>(c), letters);
    }
    return out;
}

}  // namespace qx4t
