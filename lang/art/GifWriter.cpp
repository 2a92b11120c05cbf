#include "GifWriter.h"

#include <algorithm>
#include <fstream>
#include <unordered_map>

namespace qx4t::art {
namespace {

constexpr int kMaxCode = 4095;  // GIF codes are at most 12 bits

class BitPacker {
public:
    void put(int code, int bits) {
        m_acc |= static_cast<std::uint32_t>(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            m_bytes.push_back(static_cast<std::uint8_t>(m_acc & 0xFF));
            m_acc >>= 8;
            m_count -= 8;
        }
    }
    std::vector<std::uint8_t> finish() {
        if (m_count > 0) {
            m_bytes.push_back(static_cast<std::uint8_t>(m_acc & 0xFF));
        }
        return std::move(m_bytes);
    }

private:
    std::uint32_t m_acc = 0;
    int m_count = 0;
    std::vector<std::uint8_t> m_bytes;
};

std::vector<std::uint8_t> lzw(const std::vector<std::uint8_t>& pixels, int minCodeSize) {
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    BitPacker out;
    std::unordered_map<std::uint32_t, int> table;
    int codeSize = minCodeSize + 1;
    int next = end + 1;
    out.put(clear, codeSize);
    int prefix = pixels.empty() ? 0 : pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | pixels[i];
        const auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        out.put(prefix, codeSize);
        const int entry = next++;
        table.emplace(key, entry);
        // The decoder widens its codes once the newest entry no longer fits.
        if (entry >= (1 << codeSize)) {
            ++codeSize;
        }
        if (entry == kMaxCode) {
            out.put(clear, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            next = end + 1;
        }
        prefix = pixels[i];
    }
    out.put(prefix, codeSize);
    out.put(end, codeSize);
    return out.finish();
}

void put16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

}  // namespace

bool writeGif(const std::string& path, int width, int height,
              const std::vector<std::uint32_t>& palette, const std::vector<GifFrame>& frames) {
    if (palette.empty() || palette.size() > 256 || frames.empty()) {
        return false;
    }
    int bits = 1;
    while ((1u << bits) < palette.size()) {
        ++bits;
    }
    std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    put16(out, width);
    put16(out, height);
    out.push_back(static_cast<std::uint8_t>(0x80 | ((bits - 1) << 4) | (bits - 1)));
    out.push_back(0);  // background index
    out.push_back(0);  // square pixels
    for (int i = 0; i < (1 << bits); ++i) {
        const std::uint32_t rgb = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        out.push_back(static_cast<std::uint8_t>(rgb >> 16));
        out.push_back(static_cast<std::uint8_t>(rgb >> 8));
        out.push_back(static_cast<std::uint8_t>(rgb));
    }
    // Loop for ever.
    const char loop[] = "\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00";
    out.insert(out.end(), loop, loop + sizeof loop - 1);

    const int minCodeSize = bits < 2 ? 2 : bits;
    for (const GifFrame& frame : frames) {
        if (frame.indices.size() != static_cast<std::size_t>(width) * height) {
            return false;
        }
        out.insert(out.end(), {0x21, 0xF9, 0x04, (2 << 2) | 0x01});
        put16(out, frame.delayCs);
        out.push_back(0);  // transparent index
        out.push_back(0);
        out.push_back(0x2C);
        put16(out, 0);
        put16(out, 0);
        put16(out, width);
        put16(out, height);
        out.push_back(0);  // no local palette, not interlaced
        out.push_back(static_cast<std::uint8_t>(minCodeSize));
        const std::vector<std::uint8_t> data = lzw(frame.indices, minCodeSize);
        for (std::size_t at = 0; at < data.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - at);
            out.push_back(static_cast<std::uint8_t>(n));
            out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                       data.begin() + static_cast<std::ptrdiff_t>(at + n));
        }
        out.push_back(0);
    }
    out.push_back(0x3B);

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file.flush());
}

}  // namespace qx4t::art
