// The block check on arbitrary bytes: never reads outside them, and every frame the link builds
// from a text without zero bytes passes its own check. (A text that itself ends in '&' or CR is
// read by MakeBCC as a marked or received frame, so only continued frames are built from it.)
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "link/Frame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that any read past the end is caught.
    auto bytes = std::make_unique<unsigned char[]>(size);
    if (size > 0) {
        std::memcpy(bytes.get(), data, size);
    }
    const int checked = qx4t::link::CheckBCC(bytes.get(), size);
    if (checked != qx4t::link::kOk && checked != qx4t::link::kBadBcc) {
        std::abort();
    }

    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string bcc = qx4t::link::MakeBCC(text);
    if (bcc.size() != 3 && bcc.size() != 4) {
        std::abort();
    }
    if (text.find('\0') == std::string::npos) {
        const bool plainEnding = text.empty() || (text.back() != '&' && text.back() != '\r');
        for (const bool continued : {false, true}) {
            if (!continued && !plainEnding) {
                continue;
            }
            const std::string frame = qx4t::link::MakeFrame(text, continued);
            if (qx4t::link::CheckBCC(reinterpret_cast<const unsigned char*>(frame.data()),
                                     frame.size()) != qx4t::link::kOk) {
                std::abort();
            }
        }
    }
    return 0;
}
