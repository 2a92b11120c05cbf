#pragma once
// The two firmware images, built into the program. The wizard library, the command line and the
// simulator all take them from here; nobody else reads their contents.
#include <cstddef>
#include <string_view>

namespace qx4t::firmware {

struct Image {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    // The SHA-256 the build recorded for the image, 64 hexadecimal digits; empty for none.
    std::string_view recordedSha256{};
};

// True when `size` bytes at `data` are exactly the image the build recorded for `built`: the
// same length and the same SHA-256. False for an image without a recorded digest.
[[nodiscard]] bool isAsBuilt(const void* data, std::size_t size, const Image& built);

// The image for a model code as the PLC reports it ("B0", "B1"); empty for any other code.
[[nodiscard]] Image imageFor(std::wstring_view modelCode);
// The image for the models without Ethernet (B0, resource 8104).
[[nodiscard]] Image plainImage();
// The image for the models with Ethernet (B1, resource 8107).
[[nodiscard]] Image ethernetImage();

}  // namespace qx4t::firmware
