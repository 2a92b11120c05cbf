#pragma once
// A small GIF89a writer for the connect animation: Qt reads GIF but cannot write it.
#include <cstdint>
#include <string>
#include <vector>

namespace qx4t::art {

struct GifFrame {
    std::vector<std::uint8_t> indices;  // width * height palette indices, row by row
    int delayCs = 10;                   // hundredths of a second
};

// Writes a looping animation. Palette index 0 is transparent and each frame replaces the last
// completely (disposal "restore to background"), so frames need not know what came before.
// palette holds 0xRRGGBB values, at most 256. Returns false if the file cannot be written.
[[nodiscard]] bool writeGif(const std::string& path, int width, int height,
                            const std::vector<std::uint32_t>& palette,
                            const std::vector<GifFrame>& frames);

}  // namespace qx4t::art
