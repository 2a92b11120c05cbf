#include "link/Frame.h"

#include <cstring>

#include "common/Hex.h"
#include "link/ResultCodes.h"

namespace qx4t::link {
namespace {

std::string hexByte(unsigned value) {
    std::string out;
    AppendHex(out, static_cast<unsigned char>(value));
    return out;
}

unsigned xorOf(std::string_view s, std::size_t dropAtEnd) {
    const std::size_t covered = s.size() > dropAtEnd ? s.size() - dropAtEnd : 0;
    unsigned bcc = 0;
    for (std::size_t i = 0; i < covered; ++i) {
        bcc ^= static_cast<unsigned char>(s[i]);
    }
    return bcc;
}

}  // namespace

std::string MakeBCC(std::string_view s) {
    const bool endsWithCr = !s.empty() && s.back() == kCarriageReturn;
    if (endsWithCr && s.size() >= 2 && s[s.size() - 2] == kContinuation) {
        return hexByte(xorOf(s, 4)) + kContinuation + kCarriageReturn;
    }
    if (endsWithCr) {
        return hexByte(xorOf(s, 3)) + kCarriageReturn;
    }
    if (!s.empty() && s.back() == kContinuation) {
        return hexByte(xorOf(s, 3)) + kContinuation + kCarriageReturn;
    }
    return hexByte(xorOf(s, 0)) + kCarriageReturn;
}

std::string MakeFrame(std::string_view text, bool continued) {
    std::string frame(text);
    if (continued) {
        std::string marked(text);
        marked += kContinuedMarker;
        frame += MakeBCC(marked);
    } else {
        frame += MakeBCC(text);
    }
    return frame;
}

int CheckBCC(const unsigned char* reply, std::size_t len) {
    if (reply == nullptr) {
        return kBadBcc;
    }
    const std::size_t c = (len >= 2 && reply[len - 2] == kContinuation) ? 1 : 0;
    // The received digits sit at L-3-c and L-2-c; without room for them there is nothing to match.
    if (len < 3 + c) {
        return kBadBcc;
    }
    const auto* text = reinterpret_cast<const char*>(reply);
    const std::size_t textLen = ::strnlen(text, len);
    const std::string computed = MakeBCC(std::string_view(text, textLen));
    const std::size_t at = len - 3 - c;
    return (computed[0] == text[at] && computed[1] == text[at + 1]) ? kOk : kBadBcc;
}

}  // namespace qx4t::link
