#pragma once
// The firmware image as the link sends it, a head and then blocks, and how far a transfer has
// come: the percent the link reports and the progress bar's position that the wizard's page and
// the command line show for it.
#include <cstdint>

namespace qx4t::link {

inline constexpr std::uint32_t kImageHeadSize = 64;
inline constexpr std::uint32_t kImageBlockSize = 65536;

// The blocks after the head; the last one may be short. 0 for an image without a full head.
[[nodiscard]] constexpr std::uint32_t ImageBlockCount(std::uint64_t imageSize) {
    if (imageSize <= kImageHeadSize) {
        return 0;
    }
    const std::uint64_t remaining = imageSize - kImageHeadSize;
    return static_cast<std::uint32_t>((remaining + kImageBlockSize - 1) / kImageBlockSize);
}

// The percent reported while block `block` (from 0) of `blocks` is under way.
[[nodiscard]] constexpr int TransferPercent(std::uint32_t block, std::uint32_t blocks) {
    return static_cast<int>(static_cast<double>(block) / blocks * 100.0);
}

// The bar spans 30 up to 70 during the transfer; the restart wait starts where it stopped.
inline constexpr int kTransferBarBase = 30;
inline constexpr int kTransferBarSpan = 40;

[[nodiscard]] constexpr int TransferBarPosition(int percent) {
    return kTransferBarBase + percent * kTransferBarSpan / 100;
}

}  // namespace qx4t::link
